#!/usr/bin/env python3
"""Starts and stops a loopback server for CTest fixtures.

    server_fixture.py start --state DIR [--lifetime S] [--wait S] -- COMMAND...
    server_fixture.py stop --state DIR

start runs COMMAND with --port 0 --url-file DIR/url --pid-file DIR/pid --lifetime S --watch-pid
<the test runner> added, in the background and detached, its output in DIR/server.log; it returns
once DIR/url names the listening server. stop ends that server. The server ends itself as well
when the test runner is gone or its lifetime is over, so none outlives a run that broke off."""

import argparse
import os
import signal
import subprocess
import sys
import time

import serverlife


def read_pid(state):
    try:
        with open(os.path.join(state, "pid")) as f:
            return int(f.read().strip())
    except (FileNotFoundError, ValueError):
        return None


def ours(pid, state):
    """The process still is the server of this state directory (pids get reused)."""
    try:
        with open(f"/proc/{pid}/cmdline", "rb") as f:
            return os.path.join(state, "url").encode() in f.read().split(b"\0")
    except OSError:
        return False


def stop_server(pid, state):
    if pid is None or not serverlife.process_alive(pid) or not ours(pid, state):
        return
    for sig, wait in ((signal.SIGTERM, 5.0), (signal.SIGKILL, 5.0)):
        try:
            os.killpg(pid, sig)  # the server leads a session of its own
        except ProcessLookupError:
            return
        deadline = time.monotonic() + wait
        while time.monotonic() < deadline:
            if not serverlife.process_alive(pid):
                return
            time.sleep(0.05)
    print(f"server {pid} did not end", file=sys.stderr)


def clear(state):
    for name in ("url", "pid"):
        try:
            os.remove(os.path.join(state, name))
        except FileNotFoundError:
            pass


def start(args):
    state = os.path.abspath(args.state)
    os.makedirs(state, exist_ok=True)
    stop_server(read_pid(state), state)  # left over by a run that was killed
    clear(state)
    url_file = os.path.join(state, "url")
    command = args.command + ["--port", "0", "--url-file", url_file, "--pid-file", os.path.join(state, "pid"),
                              "--lifetime", str(args.lifetime), "--watch-pid", str(os.getppid())]
    log_path = os.path.join(state, "server.log")
    with open(log_path, "wb") as log:
        server = subprocess.Popen(command, stdin=subprocess.DEVNULL, stdout=log, stderr=subprocess.STDOUT,
                                  start_new_session=True, close_fds=True)
    deadline = time.monotonic() + args.wait
    while time.monotonic() < deadline:
        if os.path.exists(url_file):
            with open(url_file) as f:
                print(f"server {server.pid} at {f.read().strip()}, state in {state}")
            return 0
        if server.poll() is not None:
            break
        time.sleep(0.05)
    if server.poll() is None:
        os.killpg(server.pid, signal.SIGKILL)
        server.wait()
    with open(log_path, errors="replace") as f:
        sys.stderr.write(f.read())
    print(f"server did not start: {' '.join(command)}", file=sys.stderr)
    clear(state)
    return 1


def stop(args):
    state = os.path.abspath(args.state)
    stop_server(read_pid(state), state)
    clear(state)
    return 0


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    sub = parser.add_subparsers(dest="action", required=True)
    p = sub.add_parser("start")
    p.add_argument("--state", required=True)
    p.add_argument("--lifetime", type=float, default=1800.0)
    p.add_argument("--wait", type=float, default=20.0)
    p.add_argument("command", nargs=argparse.REMAINDER)
    p = sub.add_parser("stop")
    p.add_argument("--state", required=True)
    args = parser.parse_args()
    if args.action == "start":
        if args.command and args.command[0] == "--":
            args.command = args.command[1:]
        if not args.command:
            parser.error("start needs the server command after --")
        return start(args)
    return stop(args)


if __name__ == "__main__":
    sys.exit(main())
