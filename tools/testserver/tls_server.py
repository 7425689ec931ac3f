#!/usr/bin/env python3
"""The update server over TLS, for the tests and the demo, with beside it the servers a client
must refuse. Every listener is on 127.0.0.1 at a port of its own; the URL files name it as
https://localhost:PORT, since the certificates are for the name localhost (Wine matches a
certificate's name against DNS names only).

    tls_server.py --certs DIR --root ROOT [--log FILE] [--faults FILE] [--only-good]

DIR holds what make_test_certs.py made. The listeners and the files that name them, beside
--url-file:
    url             the update server of update_server.py (files, faults and log alike) with
                    the test authority's certificate for localhost
    url-untrusted   the same server with a certificate from an authority nobody trusts
    url-wrongname   ... with a certificate for elsewhere.test
    url-expired     ... with a certificate valid in 2020 only
    url-notyet      ... with a certificate valid from 2099 on
    url-clientonly  ... with a certificate for TLS clients only
    url-tls11       ... speaking TLS 1.1 at most
    url-chained     ... with a certificate from an intermediate authority, sent with its chain
    url-address     ... with a certificate for the address 127.0.0.1, named by it
                    (https://127.0.0.1:PORT)
    url-plain       plain HTTP on a TLS port: answers whatever comes with "400 Bad Request" at
                    once, as a web server answers a TLS hello, and logs the connection
    url-broken      reads the client's hello, sends half of the server's answer and closes
    url-silent      completes the handshake with the good certificate, then never answers
The servers with a bad certificate serve the same root as the good one: a client that took
their certificate would get the files. The log of TLS requests also holds the listener, the
server name the client sent (SNI), the TLS version and whether the session was resumed.
--only-good starts the good server alone (the demo).
"""

import argparse
import os
import socketserver
import ssl
import sys
import threading
import warnings
from http.server import ThreadingHTTPServer

import serverlife
import update_server


def server_context(certs, name, maximum=None):
    context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
    if maximum is not None:
        # An old server: OpenSSL's default security level no longer speaks these versions.
        with warnings.catch_warnings():
            warnings.simplefilter("ignore", DeprecationWarning)
            context.minimum_version = ssl.TLSVersion.TLSv1
            context.maximum_version = maximum
        context.set_ciphers("DEFAULT:@SECLEVEL=0")
    context.load_cert_chain(os.path.join(certs, f"{name}.pem"), os.path.join(certs, "server.key"))

    def remember_name(sock, server_name, _context):
        sock.tolvar_sni = server_name
    context.sni_callback = remember_name
    return context


class TLSUpdateHandler(update_server.UpdateHandler):
    """The update server's handler behind a handshake made on the handler's own thread, so that a
    client that stalls in it holds up no one else."""

    # As web servers do for TLS: the head and the body go out as separate records, and the body
    # must not wait for the client's delayed acknowledgement of the head (40 ms a request).
    disable_nagle_algorithm = True

    def setup(self):
        self.request.settimeout(self.timeout)
        self.request.do_handshake()
        super().setup()

    def log_fields(self):
        tls = self.request
        return {"listener": self.server.name, "sni": getattr(tls, "tolvar_sni", None), "tls": tls.version(),
                "resumed": tls.session_reused}


class SilentHandler(socketserver.BaseRequestHandler):
    def handle(self):
        self.request.settimeout(30)
        self.request.do_handshake()
        update_server.UpdateHandler.wait_until_client_goes(self)

    @property
    def connection(self):
        return self.request


class PlainHandler(socketserver.BaseRequestHandler):
    def handle(self):
        self.server.request_log.write({"listener": self.server.name, "method": "(plain connection)"})
        self.request.settimeout(5)
        try:
            self.request.recv(4096)
            self.request.sendall(b"HTTP/1.1 400 Bad Request\r\nContent-Type: text/plain\r\nContent-Length: 11\r\n"
                                 b"Connection: close\r\n\r\nBad Request")
        except OSError:
            pass


class BrokenHandler(socketserver.BaseRequestHandler):
    """Half a handshake: the answer to the client's hello, cut in the middle."""

    def handle(self):
        self.request.settimeout(10)
        hello = b""
        try:
            while len(hello) < 5 or len(hello) < 5 + int.from_bytes(hello[3:5], "big"):
                piece = self.request.recv(65536)
                if not piece:
                    return
                hello += piece
            incoming, outgoing = ssl.MemoryBIO(), ssl.MemoryBIO()
            tls = self.server.context.wrap_bio(incoming, outgoing, server_side=True)
            incoming.write(hello)
            try:
                tls.do_handshake()
            except ssl.SSLWantReadError:
                pass
            answer = outgoing.read()
            self.request.sendall(answer[:len(answer) // 2])
        except (OSError, ssl.SSLError):
            pass


class TLSServer(ThreadingHTTPServer):
    daemon_threads = True

    def __init__(self, name, handler, context, state, address=("127.0.0.1", 0)):
        super().__init__(address, handler)
        self.name, self.context = name, context
        self.root, self.request_log, self.faults = state

    def get_request(self):
        sock, address = self.socket.accept()
        if self.context is None or self.name == "broken":
            return sock, address
        return self.context.wrap_socket(sock, server_side=True, do_handshake_on_connect=False), address

    def shutdown_request(self, request):
        # A TLS server ends the connection with close_notify, so that the client knows the end
        # for the end and not a cut.
        if isinstance(request, ssl.SSLSocket):
            try:
                request.settimeout(2)
                request = request.unwrap()
            except (OSError, ValueError):
                pass
        super().shutdown_request(request)

    def handle_error(self, request, client_address):
        # A client that refuses the certificate breaks the handshake off: expected, one line.
        print(f"{self.name}: {sys.exc_info()[1]!r}", file=sys.stderr, flush=True)


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--certs", required=True, help="what make_test_certs.py made")
    parser.add_argument("--root", required=True, help="the server root: /X is ROOT/X")
    parser.add_argument("--log", help="append every request to this file as a JSON line (emptied at start)")
    parser.add_argument("--faults", help="the JSON file of faults per path")
    parser.add_argument("--only-good", action="store_true", help="the good server alone")
    serverlife.add_arguments(parser)
    args = parser.parse_args()
    serverlife.check_loopback(args.bind)
    os.makedirs(args.root, exist_ok=True)
    state = (os.path.realpath(args.root), update_server.RequestLog(args.log), update_server.Faults(args.faults))

    certs = args.certs
    good = server_context(certs, "localhost")
    # The good server at the port asked for (the demo's); the others always take free ones.
    listeners = {"": TLSServer("good", TLSUpdateHandler, good, state, (args.bind, args.port))}
    if not args.only_good:
        for name in ("untrusted", "wrongname", "expired", "notyet", "clientonly", "chained", "address"):
            listeners[name] = TLSServer(name, TLSUpdateHandler, server_context(certs, name), state)
        listeners["tls11"] = TLSServer("tls11", TLSUpdateHandler,
                                       server_context(certs, "localhost", ssl.TLSVersion.TLSv1_1), state)
        listeners["plain"] = TLSServer("plain", PlainHandler, None, state)
        listeners["broken"] = TLSServer("broken", BrokenHandler, good, state)
        listeners["silent"] = TLSServer("silent", SilentHandler, good, state)

    directory = os.path.dirname(os.path.abspath(args.url_file)) if args.url_file else None
    for name, server in listeners.items():
        if name and directory:
            host = "127.0.0.1" if name == "address" else "localhost"
            serverlife.write_atomically(os.path.join(directory, f"url-{name}"),
                                        f"https://{host}:{server.server_address[1]}\n")
        if name:
            threading.Thread(target=server.serve_forever, kwargs={"poll_interval": 0.2}, daemon=True).start()
    main_server = listeners[""]
    serverlife.announce_and_guard(main_server, args, url=f"https://localhost:{main_server.server_address[1]}")
    main_server.serve_forever(poll_interval=0.2)


if __name__ == "__main__":
    main()
