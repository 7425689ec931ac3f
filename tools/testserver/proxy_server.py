#!/usr/bin/env python3
"""A forward proxy on loopback for the tests: the road a workstation behind a company proxy has.

    proxy_server.py --resolve NAME=ADDRESS... [--log FILE] [--faults FILE]

It forwards absolute-form GET and HEAD requests ("GET http://host:port/path HTTP/1.1") and opens
tunnels for CONNECT host:port. Only the names given with --resolve are reachable through it, at
the address given and the port the request names: a host name only the proxy knows stands for
a server the workstation cannot reach directly. Any other host is answered 502.

An origin-form GET to the proxy itself serves its configuration scripts:
    /proxy.pac      sends every host of *.proxy.test through this proxy, the rest DIRECT
    /broken.pac     a script that does not parse

Every request is logged as one JSON line (--log): method, target, header lines in their order.
Beside --url-file it writes url-refused, a loopback port that refuses every connection (bound,
never listening, for as long as the proxy runs).

Faults (--faults, a JSON object read again on every request; all keys optional) apply to every
request through the proxy:
    status      answer with this status (407 adds Proxy-Authenticate: NTLM and Negotiate)
    garbage     answer with these bytes instead of an HTTP response, then close
    redirect    answer 302 with this Location
    silent      read the request and never answer; close once the client has gone
"""

import argparse
import json
import os
import select
import socket
import socketserver
import sys
import threading
import time
import urllib.parse

import serverlife
import update_server

HEAD_LIMIT = 64 * 1024
HOLD_LIMIT = 180
PAC = """function FindProxyForURL(url, host) {
    if (shExpMatch(host, "*.proxy.test")) return "PROXY %s";
    return "DIRECT";
}
"""


def read_head(connection):
    """The request head up to its empty line, and what came after it; None for a closed or
    oversized one."""
    data = b""
    while b"\r\n\r\n" not in data:
        piece = connection.recv(4096)
        if not piece or len(data) > HEAD_LIMIT:
            return None
        data += piece
    head, rest = data.split(b"\r\n\r\n", 1)
    return head.decode("iso-8859-1"), rest


def relay(a, b):
    """Copies both ways until either side closes (or HOLD_LIMIT passes)."""
    end = time.monotonic() + HOLD_LIMIT
    sockets = [a, b]
    while time.monotonic() < end:
        ready, _, _ = select.select(sockets, [], [], 0.5)
        for s in ready:
            try:
                data = s.recv(65536)
            except OSError:
                return
            if not data:
                return
            (b if s is a else a).sendall(data)


class ProxyHandler(socketserver.BaseRequestHandler):
    def handle(self):
        self.request.settimeout(30)
        try:
            got = read_head(self.request)
            if got is None:
                return
            head, rest = got
            lines = head.split("\r\n")
            words = lines[0].split(" ")
            if len(words) < 3:
                return self.answer(400, "Bad Request")
            method, target = words[0], " ".join(words[1:-1])
            headers = [[name, value.strip()] for name, _, value in (line.partition(":") for line in lines[1:])]
            self.server.request_log.write({"method": method, "target": target, "headers": headers})
            if target.startswith("/"):
                return self.serve_script(target)
            fault = self.server.faults.current()
            if fault.get("silent"):
                update_server.UpdateHandler.wait_until_client_goes(self)
                return
            if "garbage" in fault:
                self.request.sendall(str(fault["garbage"]).encode("latin-1"))
                return
            if "status" in fault:
                extra = ""
                if int(fault["status"]) == 407:
                    extra = "Proxy-Authenticate: NTLM\r\nProxy-Authenticate: Negotiate\r\n"
                return self.answer(int(fault["status"]), "Refused by the proxy", extra)
            if "redirect" in fault:
                return self.answer(302, "Found", f"Location: {fault['redirect']}\r\n")
            if method == "CONNECT":
                return self.tunnel(target)
            if method in ("GET", "HEAD"):
                return self.forward(method, target, lines[1:], rest)
            return self.answer(405, "Method Not Allowed")
        except OSError:
            pass

    @property
    def connection(self):
        return self.request

    def answer(self, status, text, extra=""):
        body = text.encode("ascii")
        self.request.sendall(f"HTTP/1.1 {status} {text}\r\n{extra}Content-Type: text/plain\r\n"
                             f"Content-Length: {len(body)}\r\nConnection: close\r\n\r\n".encode("ascii") + body)

    def serve_script(self, target):
        if target == "/proxy.pac":
            script = PAC % f"127.0.0.1:{self.server.server_address[1]}"
        elif target == "/broken.pac":
            script = "function FindProxyForURL(url, host) { return ((( ;"
        else:
            return self.answer(404, "Not Found")
        body = script.encode("ascii")
        self.request.sendall(b"HTTP/1.1 200 OK\r\nContent-Type: application/x-ns-proxy-autoconfig\r\n"
                             + f"Content-Length: {len(body)}\r\nConnection: close\r\n\r\n".encode("ascii") + body)

    def upstream(self, host, port):
        address = self.server.names.get(host.lower())
        if address is None:
            return None
        try:
            return socket.create_connection((address, port), timeout=30)
        except OSError:
            return None

    def tunnel(self, target):
        host, _, port = target.rpartition(":")
        if not port.isdigit():
            return self.answer(400, "Bad Request")
        server = self.upstream(host.strip("[]"), int(port))
        if server is None:
            return self.answer(502, "Bad Gateway")
        with server:
            self.request.sendall(b"HTTP/1.1 200 Connection established\r\n\r\n")
            relay(self.request, server)

    def forward(self, method, target, header_lines, rest):
        url = urllib.parse.urlsplit(target)
        if url.scheme.lower() != "http" or not url.hostname:
            return self.answer(400, "Bad Request")
        server = self.upstream(url.hostname, url.port or 80)
        if server is None:
            return self.answer(502, "Bad Gateway")
        path = target[target.index(url.netloc) + len(url.netloc):] or "/"
        # The origin's answer is relayed until it closes: one request a connection.
        kept = [line for line in header_lines if not line.lower().startswith(("connection:", "proxy-connection:"))]
        head = "\r\n".join([f"{method} {path} HTTP/1.1", *kept, "Connection: close", "", ""])
        with server:
            server.sendall(head.encode("iso-8859-1") + rest)
            relay(self.request, server)


class ProxyServer(socketserver.ThreadingTCPServer):
    daemon_threads = True
    allow_reuse_address = True


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--resolve", action="append", default=[], help="NAME=ADDRESS, a loopback address")
    parser.add_argument("--log", help="append every request to this file as a JSON line (emptied at start)")
    parser.add_argument("--faults", help="the JSON file of faults")
    serverlife.add_arguments(parser)
    args = parser.parse_args()
    serverlife.check_loopback(args.bind)
    names = {}
    for item in args.resolve:
        name, _, address = item.partition("=")
        serverlife.check_loopback(address)
        names[name.lower()] = address

    server = ProxyServer((args.bind, args.port), ProxyHandler)
    server.names = names
    server.request_log = update_server.RequestLog(args.log)
    server.faults = update_server.Faults(args.faults)
    refusing = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
    refusing.bind((args.bind, 0))  # never listens: every connect to it is refused
    if args.url_file:
        serverlife.write_atomically(os.path.join(os.path.dirname(os.path.abspath(args.url_file)), "url-refused"),
                                    f"http://{args.bind}:{refusing.getsockname()[1]}\n")
    serverlife.announce_and_guard(server, args)
    server.serve_forever(poll_interval=0.2)


if __name__ == "__main__":
    main()
