#!/usr/bin/env python3
"""Stages the demo update server's root: the upgrade list with the files it names, and the demo
company's folder with its version file and logo. The bigger files are sent slowly (a fault of
the update server), so that the progress of each download can be watched."""

import argparse
import json
import os
import random
import shutil

LIST_DATE, LIST_TIME = "2026-12-01", "09:00:00"


def write(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)


def main():
    p = argparse.ArgumentParser()
    p.add_argument("--root", required=True)
    p.add_argument("--host", required=True, help="the demo host program, served as TolvarHost.exe")
    p.add_argument("--logo", required=True)
    p.add_argument("--faults", required=True)
    p.add_argument("--company", default="DEMO01")
    a = p.parse_args()

    service = os.path.join(a.root, "FTPHome", "TolvarService")
    rng = random.Random(20261201)  # the same bytes on every run
    files = {
        "TolvarHost.exe": open(a.host, "rb").read(),
        "TolvarCore.dll": bytes(rng.getrandbits(8) for _ in range(420 * 1024)),
        "TolvarRes.dat": bytes(rng.getrandbits(8) for _ in range(260 * 1024)),
        "Readme.txt": b"Tolvar Service\r\nThis folder is kept up to date by the Tolvar update client.\r\n",
    }
    for name, data in files.items():
        write(os.path.join(service, name), data)

    lines = [
        "SPATH /TolvarService",
        "CPATH C:\\Marvane\\TolvarService",
        "MKDIR C:\\Marvane\\TolvarService\\Logs\\",
        "DFILE C:\\Marvane\\TolvarService\\*.old",
    ]
    lines += [f"FILE {name} {len(data)} {LIST_DATE} {LIST_TIME}" for name, data in files.items()]
    write(os.path.join(service, "UpGradeList.txt"), ("\r\n".join(lines) + "\r\n").encode("ascii"))

    company = os.path.join(service, "CompanyCode", a.company)
    write(os.path.join(company, "vercheck.txt"), b"TolvarClient=1.3\r\n")
    shutil.copyfile(a.logo, os.path.join(company, "mark.png"))

    slow = {f"/FTPHome/TolvarService/{name}": {"rate": 240 * 1024, "methods": ["GET"]}
            for name in ("TolvarCore.dll", "TolvarRes.dat")}
    with open(a.faults, "w") as f:
        json.dump(slow, f, indent=2)


if __name__ == "__main__":
    main()
