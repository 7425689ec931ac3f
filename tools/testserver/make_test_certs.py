#!/usr/bin/env python3
"""Makes the certificates of the loopback TLS servers with openssl, at test time: nothing of them
is kept in the repository, and a fresh authority comes with every run.

    make_test_certs.py --out DIR [--name NAME] [--alias ALIAS]...

In DIR (emptied first of what an earlier run left):
    authority.pem       the test authority: the one the tests trust, in the test prefix only
    stranger.pem        another authority, which nobody trusts
    server.key          the key of every server certificate below
    NAME.pem            NAME (default localhost) and each ALIAS, from the test authority: the
                        good server (an alias is a name only a test's proxy resolves)
    untrusted.pem       NAME, from the stranger
    wrongname.pem       elsewhere.test, from the test authority
    expired.pem         NAME, valid in 2020 only
    notyet.pem          NAME, valid from 2099 on
    address.pem         the address 127.0.0.1 (and no name), from the test authority
    clientonly.pem      NAME, but for TLS clients only (extended key usage clientAuth)
    chained.pem         NAME from an intermediate authority of the test authority, the
                        intermediate's certificate after it, as a server sends its chain
Each server certificate names NAME (or its own name) as a DNS name in subjectAltName, as
browsers and Windows expect; the authorities carry basicConstraints CA:TRUE.
"""

import argparse
import datetime
import os
import shutil
import subprocess
import sys
import tempfile

DAY = "%Y%m%d%H%M%SZ"


def run(*args, cwd):
    done = subprocess.run(["openssl", *args], cwd=cwd, capture_output=True, text=True)
    if done.returncode != 0:
        sys.exit(f"openssl {' '.join(args)} failed:\n{done.stdout}{done.stderr}")


def write(path, text):
    with open(path, "w", encoding="ascii") as f:
        f.write(text)


class Authority:
    """An authority that signs with `openssl ca`, which alone takes any validity period."""

    def __init__(self, work, name, subject, parent=None):
        self.work, self.name = work, name
        self.dir = os.path.join(work, f"{name}-db")
        os.makedirs(self.dir)
        write(os.path.join(self.dir, "index.txt"), "")
        write(os.path.join(self.dir, "serial"), "1000\n")
        self.key = os.path.join(work, f"{name}.key")
        self.cert = os.path.join(work, f"{name}.pem")
        run("genpkey", "-algorithm", "RSA", "-pkeyopt", "rsa_keygen_bits:2048", "-out", self.key, cwd=work)
        ca_ext = os.path.join(work, f"{name}-ca.ext")
        write(ca_ext, "basicConstraints=critical,CA:TRUE\nkeyUsage=critical,keyCertSign,cRLSign\n"
                      "subjectKeyIdentifier=hash\nauthorityKeyIdentifier=keyid\n")
        if parent is None:
            run("req", "-x509", "-new", "-key", self.key, "-subj", f"/CN={subject}", "-days", "60", "-sha256",
                "-extensions", "v3", "-config", self.config(ca_ext, self_signed=True), "-out", self.cert, cwd=work)
        else:
            csr = os.path.join(work, f"{name}.csr")
            run("req", "-new", "-key", self.key, "-subj", f"/CN={subject}", "-out", csr, cwd=work)
            parent.sign(csr, self.cert, ca_ext, "-1d", "+60d")

    def config(self, ext, self_signed=False):
        path = os.path.join(self.dir, "openssl.cnf")
        with open(ext, encoding="ascii") as f:
            extensions = f.read()
        write(path, "[req]\ndistinguished_name=dn\n[dn]\n"
                    f"[v3]\n{extensions}"
                    "[ca]\ndefault_ca=this\n"
                    f"[this]\ndir={self.dir}\ndatabase=$dir/index.txt\nserial=$dir/serial\nnew_certs_dir=$dir\n"
                    "default_md=sha256\npolicy=any\nunique_subject=no\ncopy_extensions=none\n"
                    "[any]\ncommonName=supplied\n")
        return path

    def sign(self, csr, out, ext, start, end):
        now = datetime.datetime.now(datetime.timezone.utc)

        def when(text):
            if text[0] in "+-":
                return (now + datetime.timedelta(days=int(text[:-1]))).strftime(DAY)
            return text
        run("ca", "-batch", "-notext", "-config", self.config(ext), "-cert", self.cert, "-keyfile", self.key,
            "-extensions", "v3", "-startdate", when(start), "-enddate", when(end), "-in", csr, "-out", out,
            cwd=self.work)


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--out", required=True)
    parser.add_argument("--name", default="localhost", help="the server's DNS name (default localhost)")
    parser.add_argument("--alias", action="append", default=[], help="a further DNS name of the good server")
    args = parser.parse_args()
    if shutil.which("openssl") is None:
        sys.exit("openssl is missing (the Makefile's package list installs it)")
    out = os.path.abspath(args.out)
    os.makedirs(out, exist_ok=True)
    with tempfile.TemporaryDirectory(dir=out) as work:
        authority = Authority(work, "authority", "Tolvar Test Authority")
        stranger = Authority(work, "stranger", "Nobody's Authority")
        intermediate = Authority(work, "intermediate", "Tolvar Test Intermediate", parent=authority)

        key = os.path.join(work, "server.key")
        run("genpkey", "-algorithm", "RSA", "-pkeyopt", "rsa_keygen_bits:2048", "-out", key, cwd=work)
        csr = os.path.join(work, "server.csr")
        run("req", "-new", "-key", key, "-subj", "/CN=server", "-out", csr, cwd=work)

        def leaf(name, by, alt, start="-1d", end="+30d", usage="serverAuth"):
            ext = os.path.join(work, f"{name}.ext")
            write(ext, "basicConstraints=critical,CA:FALSE\nkeyUsage=critical,digitalSignature,keyEncipherment\n"
                       f"extendedKeyUsage={usage}\nsubjectAltName={alt}\n"
                       "subjectKeyIdentifier=hash\nauthorityKeyIdentifier=keyid\n")
            by.sign(csr, os.path.join(work, f"{name}.pem"), ext, start, end)

        dns = f"DNS:{args.name}"
        leaf(args.name, authority, ",".join([dns] + [f"DNS:{alias}" for alias in args.alias]))
        leaf("untrusted", stranger, dns)
        leaf("wrongname", authority, "DNS:elsewhere.test")
        leaf("expired", authority, dns, "20200101000000Z", "20210101000000Z")
        leaf("notyet", authority, dns, "20990101000000Z", "21000101000000Z")
        leaf("address", authority, "IP:127.0.0.1")
        leaf("clientonly", authority, dns, usage="clientAuth")
        leaf("chained-leaf", intermediate, dns)
        with open(os.path.join(work, "chained.pem"), "w", encoding="ascii") as chain:
            for part in ("chained-leaf.pem", "intermediate.pem"):
                with open(os.path.join(work, part), encoding="ascii") as f:
                    chain.write(f.read())

        for name in ("authority.pem", "stranger.pem", "server.key", f"{args.name}.pem", "untrusted.pem",
                     "wrongname.pem", "expired.pem", "notyet.pem", "address.pem", "clientonly.pem", "chained.pem"):
            os.replace(os.path.join(work, name), os.path.join(out, name))
    print(f"certificates for {args.name} in {out}")


if __name__ == "__main__":
    main()
