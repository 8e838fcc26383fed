"""Signs a Windows program in place with Authenticode (SHA-256), the same
bytes on every run: the signing time is the commit's (as the zip's dates),
unless a time-stamping server is given.

    sign_program.py [--timestamp-url URL] CERTIFICATE KEY SOURCE_DIR PROGRAM

CERTIFICATE is a PEM file with the certificate and its chain, KEY a PEM
private key.
"""
import argparse
import os
import pathlib
import subprocess
import sys

from make_zip import commit_time


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--timestamp-url", default="")
    for name in ("certificate", "key", "source_dir", "program"):
        parser.add_argument(name)
    args = parser.parse_args(argv[1:])
    certificate, key, program = args.certificate, args.key, pathlib.Path(args.program)
    signed = program.with_name(program.name + ".signing")
    when = ["-ts", args.timestamp_url] if args.timestamp_url else ["-time", str(commit_time(args.source_dir))]
    signed.unlink(missing_ok=True)
    result = subprocess.run(["osslsigncode", "sign", "-h", "sha256", "-certs", certificate, "-key", key, *when,
                             "-in", str(program), "-out", str(signed)], capture_output=True, text=True)
    if result.returncode != 0:
        signed.unlink(missing_ok=True)
        sys.exit(f"sign_program.py: could not sign {program}:\n{result.stdout}{result.stderr}")
    os.replace(signed, program)


if __name__ == "__main__":
    main(sys.argv)
