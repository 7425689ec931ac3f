#!/usr/bin/env python3
"""The update server of the tests and the demo.

Serves the files below --root by their paths (the URL /FTPHome/TolvarService/UpGradeList.txt is
the file ROOT/FTPHome/TolvarService/UpGradeList.txt) to GET and HEAD, with their length. It listens
on loopback only. Optionally it logs every request as one JSON line (--log) and misbehaves on
purpose for chosen paths, as a JSON file says (--faults), read again on every request so that one
server can play several test cases:

    {
      "/FTPHome/TolvarService/a.dll": {"drop_after_percent": 50},
      "/FTPHome/TolvarService/b.dll": {"extra_bytes": 200},
      "/FTPHome/TolvarService/c.dll": {"status": 404, "methods": ["HEAD"]}
    }

Keys of a fault (all optional; "methods" limits the fault to those request methods):
    status, body             answer with this status and body instead of the file
    redirect, redirect_status  answer 302 (or the given status) with this Location
    delay                    seconds to wait before the answer
    no_length                no Content-Length; a GET's body ends when the server closes
    extra_bytes              a GET sends this many bytes after the file's bytes
    announce                 the GET's Content-Length: "body" (default: what is sent), "file"
                             (the file's own length, the extra bytes going beyond it) or "none"
    drop_after_bytes         a GET sends this many body bytes and then closes the connection
    drop_after_percent       the same, as a percentage of the body
    reset                    close a dropped connection with a reset instead of an orderly close
    rate                     send the GET's body at this many bytes per second
    silent                   read the request and never answer; close once the client has gone
    head_rate                send the status line and headers at this many bytes per second
    endless                  a GET's body never ends: no Content-Length, the file and then bytes
                             without end until the client goes
    stall_after_percent      a GET sends this percentage of the body and then nothing more,
                             keeping the connection open until the client goes
    trickle                  [bytes, seconds]: a GET sends its body this many bytes at a time
                             with this many seconds between them, until it is sent or the
                             client goes
    head_length              a HEAD announces this Content-Length, whatever the file's
Whatever waits for the client to go gives up after HOLD_LIMIT seconds.
"""

import argparse
import json
import os
import select
import socket
import struct
import sys
import threading
import time
import urllib.parse
from email.utils import formatdate
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer

import serverlife

PIECE = 64 * 1024
HOLD_LIMIT = 180
EXTRA_PATTERN = b"EXTRA-BYTES-"


class Faults:
    """The fault file, read on every request. A file caught half-written is read again; a file
    that stays broken keeps the faults last read."""

    def __init__(self, path):
        self.path = path
        self.last = {}
        self.lock = threading.Lock()

    def current(self):
        if not self.path:
            return {}
        with self.lock:
            for _ in range(20):
                try:
                    with open(self.path, "rb") as f:
                        data = json.loads(f.read().decode("utf-8") or "{}")
                except FileNotFoundError:
                    self.last = {}
                    return {}
                except (ValueError, OSError):
                    time.sleep(0.05)
                    continue
                if isinstance(data, dict):
                    self.last = data
                    return data
                print(f"{self.path}: not a JSON object, ignored", file=sys.stderr, flush=True)
                return self.last
            print(f"{self.path}: unreadable, keeping the faults last read", file=sys.stderr, flush=True)
            return self.last

    def of(self, method, path):
        fault = self.current().get(path)
        if not isinstance(fault, dict):
            return {}
        methods = fault.get("methods")
        if methods and method not in methods:
            return {}
        return fault


class RequestLog:
    def __init__(self, path):
        self.path = path
        self.lock = threading.Lock()
        if path:
            open(path, "w").close()

    def write(self, record):
        if not self.path:
            return
        line = json.dumps(record, ensure_ascii=True) + "\n"
        with self.lock, open(self.path, "a", encoding="ascii") as f:
            f.write(line)


class UpdateHandler(BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"
    server_version = "TolvarUpdateServer/1.0"
    timeout = 30  # idle keep-alive connections end after this

    def parse_request(self):
        # The client sends its targets without percent-encoding, blanks and all
        # ("GET /FTPHome/a b.txt HTTP/1.1"): everything between the method and the version is
        # the target.
        line = self.raw_requestline.decode("iso-8859-1").rstrip("\r\n")
        words = line.split(" ")
        raw_target = None
        if len(words) > 3:
            raw_target = " ".join(words[1:-1])
            self.raw_requestline = f"{words[0]} {raw_target.replace(' ', '%20')} {words[-1]}\r\n".encode("iso-8859-1")
        if not super().parse_request():
            return False
        if raw_target is not None:
            self.path = raw_target
        return True

    def log_fields(self):
        """What a server over another transport logs of it beside each request."""
        return {}

    def do_GET(self):
        self.answer(head=False)

    def do_HEAD(self):
        self.answer(head=True)

    def answer(self, head):
        self.server.request_log.write({
            "method": self.command,
            "target": self.path,
            "version": self.request_version,
            "headers": [[name, value] for name, value in self.headers.items()],
            **self.log_fields(),
        })
        path = urllib.parse.unquote(urllib.parse.urlsplit(self.path).path, encoding="latin-1")
        fault = self.server.faults.of(self.command, path)
        self.head_rate = float(fault.get("head_rate", 0))
        try:
            if fault.get("silent"):
                self.wait_until_client_goes()
                self.close_connection = True
                return
            if fault.get("delay"):
                time.sleep(float(fault["delay"]))
            if "status" in fault:
                self.answer_status(int(fault["status"]), str(fault.get("body", "")).encode("latin-1"), head)
            elif "redirect" in fault:
                self.send_response(int(fault.get("redirect_status", 302)))
                self.send_header("Location", str(fault["redirect"]))
                self.send_header("Content-Length", "0")
                self.closing_headers()
                self.end_headers()
            else:
                self.answer_file(path, fault, head)
        except (BrokenPipeError, ConnectionResetError, socket.timeout):
            self.close_connection = True

    def flush_headers(self):
        if not getattr(self, "head_rate", 0) or not getattr(self, "_headers_buffer", None):
            super().flush_headers()
            return
        head = b"".join(self._headers_buffer)
        self._headers_buffer = []
        for i in range(len(head)):
            self.wfile.write(head[i:i + 1])
            self.wfile.flush()
            time.sleep(1 / self.head_rate)

    def wait_until_client_goes(self):
        """Holds the connection, reading and dropping whatever comes, until the client closes it."""
        end = time.monotonic() + HOLD_LIMIT
        while time.monotonic() < end:
            ready, _, _ = select.select([self.connection], [], [], 0.5)
            if ready and not self.connection.recv(4096):
                return

    def closing_headers(self):
        # Errors and redirects end the connection, as many servers do: a client that waits for
        # the body a HEAD announces then learns at once that none comes.
        self.send_header("Connection", "close")
        self.close_connection = True

    def answer_status(self, status, body, head):
        self.send_response(status)
        self.send_header("Content-Type", "text/plain")
        self.send_header("Content-Length", str(len(body)))
        if status >= 300:
            self.closing_headers()
        self.end_headers()
        if not head:
            self.wfile.write(body)

    def local_file(self, path):
        root = self.server.root
        try:
            candidate = os.path.realpath(os.path.join(root, path.lstrip("/")))
        except ValueError:
            return None
        if not candidate.startswith(root + os.sep) or not os.path.isfile(candidate):
            return None
        return candidate

    def answer_file(self, path, fault, head):
        local = self.local_file(path)
        if local is None:
            self.answer_status(404, b"Not Found", head)
            return
        size = os.path.getsize(local)
        extra = 0 if head else int(fault.get("extra_bytes", 0))
        body_length = size + extra
        endless = bool(fault.get("endless")) and not head
        announce = "none" if fault.get("no_length") or endless else fault.get("announce", "body")
        if head and announce != "none":
            announce = "file"

        self.send_response(200)
        self.send_header("Content-Type", "application/octet-stream")
        self.send_header("Last-Modified", formatdate(os.path.getmtime(local), usegmt=True))
        if head and "head_length" in fault:
            self.send_header("Content-Length", str(int(fault["head_length"])))
        elif announce == "body":
            self.send_header("Content-Length", str(body_length))
        elif announce == "file":
            self.send_header("Content-Length", str(size))
            if extra:
                self.close_connection = True  # what follows the announced bytes is no next response
        else:
            self.closing_headers()
        self.end_headers()
        if head:
            return

        if endless:
            self.send_endless(local)
            return
        limit = body_length
        if "stall_after_percent" in fault:
            self.send_body(local, extra, int(body_length * float(fault["stall_after_percent"]) // 100), 0)
            self.wfile.flush()
            self.wait_until_client_goes()
            self.close_connection = True
            return
        if "trickle" in fault:
            self.send_trickle(local, extra, int(fault["trickle"][0]), float(fault["trickle"][1]))
            return
        if "drop_after_bytes" in fault:
            limit = min(limit, int(fault["drop_after_bytes"]))
        elif "drop_after_percent" in fault:
            limit = min(limit, body_length * float(fault["drop_after_percent"]) // 100)
        limit = int(limit)
        self.send_body(local, extra, limit, float(fault.get("rate", 0)))
        if limit < body_length:
            self.drop(bool(fault.get("reset")))

    def body_pieces(self, local, extra):
        with open(local, "rb") as f:
            while piece := f.read(PIECE):
                yield piece
        while extra > 0:
            piece = (EXTRA_PATTERN * (min(extra, PIECE) // len(EXTRA_PATTERN) + 1))[:min(extra, PIECE)]
            extra -= len(piece)
            yield piece

    def send_body(self, local, extra, limit, rate):
        sent = 0
        started = time.monotonic()
        step = max(1, int(rate) // 20) if rate > 0 else PIECE
        for piece in self.body_pieces(local, extra):
            for i in range(0, len(piece), step):
                if sent >= limit:
                    return
                part = piece[i:i + step][:limit - sent]
                self.wfile.write(part)
                sent += len(part)
                if rate > 0:
                    pause = started + sent / rate - time.monotonic()
                    if pause > 0:
                        time.sleep(pause)

    def send_trickle(self, local, extra, step, every):
        data = b"".join(self.body_pieces(local, extra))
        for i in range(0, len(data), step):
            if i > 0 and self.client_goes_within(every):
                self.close_connection = True
                return
            self.wfile.write(data[i:i + step])
            self.wfile.flush()

    def client_goes_within(self, seconds):
        """Waits up to `seconds`; true as soon as the client has closed the connection."""
        end = time.monotonic() + seconds
        while (left := end - time.monotonic()) > 0:
            ready, _, _ = select.select([self.connection], [], [], min(left, 0.5))
            if ready and not self.connection.recv(4096):
                return True
        return False

    def send_endless(self, local):
        for piece in self.body_pieces(local, 0):
            self.wfile.write(piece)
        end = time.monotonic() + HOLD_LIMIT
        while time.monotonic() < end:
            self.wfile.write(EXTRA_PATTERN * 1024)
        self.close_connection = True

    def drop(self, reset):
        self.close_connection = True
        if reset:
            # Closed at once, before the server's orderly shutdown could send a FIN first.
            self.connection.setsockopt(socket.SOL_SOCKET, socket.SO_LINGER, struct.pack("ii", 1, 0))
            self.connection.close()

    def log_message(self, format, *args):
        print(f"{self.address_string()} {format % args}", file=sys.stderr, flush=True)


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--root", required=True, help="the server root: /X is ROOT/X")
    parser.add_argument("--log", help="append every request to this file as a JSON line (emptied at start)")
    parser.add_argument("--faults", help="the JSON file of faults per path")
    serverlife.add_arguments(parser)
    args = parser.parse_args()
    serverlife.check_loopback(args.bind)
    os.makedirs(args.root, exist_ok=True)

    server = ThreadingHTTPServer((args.bind, args.port), UpdateHandler)
    server.daemon_threads = True
    server.root = os.path.realpath(args.root)
    server.request_log = RequestLog(args.log)
    server.faults = Faults(args.faults)
    serverlife.announce_and_guard(server, args)
    server.serve_forever(poll_interval=0.2)


if __name__ == "__main__":
    main()
