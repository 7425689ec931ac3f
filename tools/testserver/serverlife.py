"""What every loopback server of the tests shares: loopback-only addresses, the files that tell
the fixture where the server listens, and the guards that keep a server from outliving its run."""

import ipaddress
import os
import signal
import sys
import threading
import time


def add_arguments(parser):
    parser.add_argument("--bind", default="127.0.0.1", help="a loopback address (default 127.0.0.1)")
    parser.add_argument("--port", type=int, default=8642, help="0 lets the system pick a free port")
    parser.add_argument("--url-file", help="written with http://ADDRESS:PORT once the server listens")
    parser.add_argument("--pid-file", help="written with the server's process id")
    parser.add_argument("--lifetime", type=float, default=900.0,
                        help="seconds after which the server ends itself whatever happens (default 900)")
    parser.add_argument("--watch-pid", type=int,
                        help="the server ends itself once this process is gone (the test runner)")


def check_loopback(address):
    try:
        loopback = ipaddress.ip_address(address).is_loopback
    except ValueError:
        loopback = False
    if not loopback:
        sys.exit(f"refusing to listen on {address}: test servers stay on loopback")


def process_alive(pid):
    """False for a process that is gone or a zombie nobody has reaped yet."""
    try:
        with open(f"/proc/{pid}/stat", "rb") as f:
            state = f.read().rsplit(b")", 1)[1].split()[0]
        return state not in (b"Z", b"X")
    except FileNotFoundError:
        return False
    except OSError:
        try:
            os.kill(pid, 0)
            return True
        except ProcessLookupError:
            return False


def write_atomically(path, text):
    temporary = f"{path}.{os.getpid()}.tmp"
    with open(temporary, "w", encoding="ascii") as f:
        f.write(text)
    os.replace(temporary, path)


def announce_and_guard(server, args, url=None):
    """Called once the server socket listens: writes the pid and URL files (the URL last, since the
    fixture waits for it) and starts the guards. Returns the URL root: http://ADDRESS:PORT unless
    `url` says otherwise."""
    host, port = server.server_address[:2]
    url = url or f"http://{host}:{port}"

    def remove_files():
        for path in (args.url_file, args.pid_file):
            if path:
                try:
                    os.remove(path)
                except FileNotFoundError:
                    pass

    def end(*_):
        remove_files()
        os._exit(0)  # a handler stuck in a slow body must not keep the process alive

    signal.signal(signal.SIGTERM, end)
    signal.signal(signal.SIGINT, end)
    if args.lifetime > 0:
        timer = threading.Timer(args.lifetime, end)
        timer.daemon = True
        timer.start()
    if args.watch_pid:
        def watch():
            while process_alive(args.watch_pid):
                time.sleep(0.5)
            end()
        threading.Thread(target=watch, daemon=True).start()

    if args.pid_file:
        write_atomically(args.pid_file, f"{os.getpid()}\n")
    if args.url_file:
        write_atomically(args.url_file, url + "\n")
    print(f"listening at {url}", file=sys.stderr, flush=True)
    return url


def answer_text(handler, status, text):
    """Answers a request of a BaseHTTPRequestHandler with a plain text and its length."""
    body = text.encode("utf-8", "replace")
    handler.send_response(status)
    handler.send_header("Content-Type", "text/plain")
    handler.send_header("Content-Length", str(len(body)))
    handler.end_headers()
    handler.wfile.write(body)
