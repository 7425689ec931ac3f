#!/usr/bin/env python3
"""Signs server roots with the vendor's tool for the tests under Wine, which cannot run a Linux
program and wait for it. It listens on loopback only.

At start it makes a key pair for each --key NAME with `feedsign keygen` in --keys: NAME.pem (the
private key, made at test time, never kept in the repository) and NAME.pub.pem. Then

    GET /sign?key=NAME&root=/unix/path/of/a/server/root

runs `feedsign KEYS/NAME.pem ROOT` and answers with "ok" or "failed" on the first line and the
tool's output after it.
"""

import argparse
import os
import re
import subprocess
import urllib.parse
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer

import serverlife


class SignHandler(BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"

    def do_GET(self):
        url = urllib.parse.urlsplit(self.path)
        query = urllib.parse.parse_qs(url.query)
        key, root = query.get("key", [""])[0], query.get("root", [""])[0]
        if url.path != "/sign" or key not in self.server.keys or not os.path.isabs(root):
            self.answer(404, f"no such request: {self.path}\n")
            return
        try:
            run = subprocess.run([self.server.feedsign, self.server.keys[key], root], capture_output=True,
                                 timeout=60, text=True)
            self.answer(200, ("ok\n" if run.returncode == 0 else "failed\n") + run.stdout + run.stderr)
        except subprocess.TimeoutExpired:
            self.answer(200, "failed\nfeedsign did not finish\n")

    def answer(self, status, text):
        serverlife.answer_text(self, status, text)

    def log_message(self, format, *args):
        pass


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--feedsign", required=True, help="the host tool")
    parser.add_argument("--keys", required=True, help="the folder of the key pairs, made anew at start")
    parser.add_argument("--key", action="append", required=True, help="the name of a key pair to make")
    serverlife.add_arguments(parser)
    args = parser.parse_args()
    serverlife.check_loopback(args.bind)

    os.makedirs(args.keys, exist_ok=True)
    keys = {}
    for name in args.key:
        if not re.fullmatch(r"[a-z0-9-]+", name):
            parser.error(f"a key name of letters, digits and '-': {name}")
        private, public = os.path.join(args.keys, f"{name}.pem"), os.path.join(args.keys, f"{name}.pub.pem")
        for old in (private, public):
            if os.path.exists(old):
                os.remove(old)
        subprocess.run([args.feedsign, "keygen", private, public], check=True, capture_output=True)
        keys[name] = private

    server = ThreadingHTTPServer((args.bind, args.port), SignHandler)
    server.daemon_threads = True
    server.feedsign = args.feedsign
    server.keys = keys
    serverlife.announce_and_guard(server, args)
    server.serve_forever(poll_interval=0.2)


if __name__ == "__main__":
    main()
