#!/usr/bin/env python3
"""Python's own file server (http.server.SimpleHTTPRequestHandler, unchanged) on a loopback
port, for the tests that check the HTTP client against a server nobody here wrote."""

import argparse
import functools
import os
from http.server import SimpleHTTPRequestHandler, ThreadingHTTPServer

import serverlife


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--root", required=True, help="the directory to serve")
    serverlife.add_arguments(parser)
    args = parser.parse_args()
    serverlife.check_loopback(args.bind)
    os.makedirs(args.root, exist_ok=True)

    handler = functools.partial(SimpleHTTPRequestHandler, directory=args.root)
    server = ThreadingHTTPServer((args.bind, args.port), handler)
    server.daemon_threads = True
    serverlife.announce_and_guard(server, args)
    server.serve_forever(poll_interval=0.2)


if __name__ == "__main__":
    main()
