"""Writes the release zip the same way every time: the files in the order
given, at the root of the archive, each dated with the commit's time (from
SOURCE_DATE_EPOCH, else the last commit of the source folder), with fixed
permissions and compression.

    make_zip.py OUTPUT.zip SOURCE_DIR NAME=PATH...
"""
import os
import pathlib
import subprocess
import sys
import time
import zipfile

# The earliest time a zip entry can hold.
ZIP_EPOCH = 315532800  # 1980-01-01 00:00:00 UTC


def commit_time(source_dir):
    if os.environ.get("SOURCE_DATE_EPOCH"):
        return int(os.environ["SOURCE_DATE_EPOCH"])
    try:
        out = subprocess.run(["git", "-C", str(source_dir), "log", "-1", "--format=%ct"],
                             check=True, capture_output=True, text=True).stdout.strip()
        return int(out)
    except (OSError, subprocess.CalledProcessError, ValueError):
        return ZIP_EPOCH


def main(argv):
    if len(argv) < 3:
        print(__doc__, file=sys.stderr)
        return 2
    output, source_dir, entries = pathlib.Path(argv[0]), argv[1], argv[2:]
    stamp = time.gmtime(max(commit_time(source_dir), ZIP_EPOCH))[:6]
    output.parent.mkdir(parents=True, exist_ok=True)
    partial = output.with_suffix(".partial")
    with zipfile.ZipFile(partial, "w") as archive:
        for entry in entries:
            name, path = entry.split("=", 1)
            info = zipfile.ZipInfo(name, date_time=stamp)
            info.compress_type = zipfile.ZIP_DEFLATED
            info.create_system = 0  # MS-DOS: no Unix permissions recorded
            info.external_attr = 0
            archive.writestr(info, pathlib.Path(path).read_bytes(), compresslevel=9)
    partial.replace(output)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
