#!/usr/bin/env python3
"""Runs host tools for the tests under Wine, which cannot run a Linux program and wait for it.
It listens on loopback only and runs only the tools it was started with (--tool NAME=PATH):

    GET /run?tool=NAME&arg=FIRST&arg=SECOND...

runs PATH with those arguments (no shell, no standard input, at most --timeout seconds) and
answers with "exit N" on the first line and the tool's output, both streams, after it.
"""

import argparse
import subprocess
import urllib.parse
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer

import serverlife


class ToolHandler(BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"

    def do_GET(self):
        url = urllib.parse.urlsplit(self.path)
        query = urllib.parse.parse_qs(url.query, keep_blank_values=True)
        name = query.get("tool", [""])[0]
        if url.path != "/run" or name not in self.server.tools:
            self.answer(404, f"no such request: {self.path}\n")
            return
        try:
            run = subprocess.run([self.server.tools[name]] + query.get("arg", []), stdin=subprocess.DEVNULL,
                                 stdout=subprocess.PIPE, stderr=subprocess.STDOUT, timeout=self.server.tool_timeout)
            self.answer(200, f"exit {run.returncode}\n" + run.stdout.decode("utf-8", "replace"))
        except subprocess.TimeoutExpired:
            self.answer(200, f"exit -1\n{name} did not finish within {self.server.tool_timeout} s\n")

    def answer(self, status, text):
        serverlife.answer_text(self, status, text)

    def log_message(self, format, *args):
        pass


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--tool", action="append", required=True, help="NAME=PATH of a tool it may run")
    parser.add_argument("--timeout", type=float, default=300, help="seconds a run may take (default 300)")
    serverlife.add_arguments(parser)
    args = parser.parse_args()
    serverlife.check_loopback(args.bind)
    tools = {}
    for tool in args.tool:
        name, _, path = tool.partition("=")
        if not name or not path:
            parser.error(f"--tool NAME=PATH: {tool}")
        tools[name] = path

    server = ThreadingHTTPServer((args.bind, args.port), ToolHandler)
    server.daemon_threads = True
    server.tools = tools
    server.tool_timeout = args.timeout
    serverlife.announce_and_guard(server, args)
    server.serve_forever(poll_interval=0.2)


if __name__ == "__main__":
    main()
