#!/usr/bin/env python3
"""Runs the renderer benchmark and its two reference programs, one after the
other, under Wine on a 1024 x 768 Xvfb display, then the renderer again with
a second monitor beside it, and prints their figures.

    tools/bench/run_benchmarks.py BUILD_DIR [SECONDS]

Each program prints frames per second and CPU milliseconds per frame measured
from inside (from its first frame on); the line after it gives the whole
process's CPU time as Linux counts it (all threads, Mesa's included, start-up
included).
"""
import os
import pathlib
import subprocess
import sys
import time

ROOT = pathlib.Path(__file__).resolve().parents[2]
sys.path.insert(0, str(ROOT / "tests" / "e2e"))

PROGRAMS = ("renderer_bench.exe", "reference_clear_swap.exe", "reference_quads.exe")


def main(argv):
    build = pathlib.Path(argv[1]).resolve()
    seconds = argv[2] if len(argv) > 2 else "10"
    os.environ.setdefault("WINEPREFIX", str(build / "wineprefix"))
    os.environ.setdefault("SORVANE_BIN_DIR", str(build / "bin"))
    os.environ.setdefault("SORVANE_PROBE_DIR", str(build / "tests" / "probes"))
    os.environ.setdefault("SORVANE_TEST_OUTPUT", str(build / "benchmark-output"))
    from harness import Session

    print(f"{seconds} s each on a 1024 x 768 x 24 Xvfb display, Wine, Mesa llvmpipe, {os.cpu_count()} cores")
    with Session() as session:
        write_pictures(session)
        for program in PROGRAMS:
            run_program(session, build / "tools" / program, seconds)
    # The same renderer on a nested Xephyr (which costs frames of its own),
    # alone and with an 800 x 600 monitor beside the primary that it covers
    # in black: the two lines to hold side by side.
    for monitors, label in ((((1024, 768),), "one monitor"),
                            (((1024, 768), (800, 600)), "a second monitor beside it, covered")):
        print(f"Xephyr in Xvfb, {label}:")
        with Session(monitors=monitors) as session:
            write_pictures(session)
            run_program(session, build / "tools" / PROGRAMS[0], seconds)
    return 0


def write_pictures(session):
    from bitmaps import star_field, write_bmp24
    work = session.drive_c / "k_rova"
    work.mkdir(exist_ok=True)
    write_bmp24(work / "Sorvane01.bmp", 512, 512, star_field())
    write_bmp24(work / "Sorvane02.bmp", 1, 1, lambda x, y: (0, 0, 0))


def run_program(session, program, seconds):
    started = time.monotonic()
    process = subprocess.Popen(["wine", str(program), seconds], env=session.env,
                               stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
    _, status, usage = os.wait4(process.pid, 0)
    printed = process.stdout.read().strip()
    wall = time.monotonic() - started
    print(printed or f"{program.name}: printed nothing (exit status {status})")
    print(f"{'':22} process: {wall:.1f} s wall, {usage.ru_utime + usage.ru_stime:.1f} s CPU "
          f"(user {usage.ru_utime:.1f}, system {usage.ru_stime:.1f})")


if __name__ == "__main__":
    sys.exit(main(sys.argv))
