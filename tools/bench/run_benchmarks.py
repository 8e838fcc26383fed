#!/usr/bin/env python3
"""Runs the renderer benchmark and its two reference programs under Wine on
a 1024 x 768 Xvfb display (the renderer and the same eleven quads drawn
plainly in turns, three pairs, since two runs one after the other differ by
as much as what they should show), then the renderer again with a second
monitor beside it, then paced and unpaced on a 320 x 240 display where the
software renderer outruns the display's 60 frames a second; and prints their
figures.

    tools/bench/run_benchmarks.py BUILD_DIR [SECONDS]

Each program prints frames per second and CPU milliseconds per frame measured
from inside (from its first frame on); the line after it gives the whole
process's CPU time as Linux counts it (all threads, Mesa's included, start-up
included).
"""
import os
import pathlib
import re
import statistics
import subprocess
import sys
import time

ROOT = pathlib.Path(__file__).resolve().parents[2]
sys.path.insert(0, str(ROOT / "tests" / "e2e"))

RENDERER, CLEAR_SWAP, QUADS = "renderer_bench.exe", "reference_clear_swap.exe", "reference_quads.exe"
PAIRS = 3


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
        run_program(session, build / "tools" / CLEAR_SWAP, seconds)
        renderer, quads = [], []
        for _ in range(PAIRS):
            renderer.append(run_program(session, build / "tools" / RENDERER, seconds))
            quads.append(run_program(session, build / "tools" / QUADS, seconds))
        for figure, unit in (("fps", "frames a second"), ("cpu", "CPU ms a frame")):
            ours = statistics.mean(r[figure] for r in renderer)
            plain = statistics.mean(q[figure] for q in quads)
            print(f"  {PAIRS} pairs, {unit}: renderer {ours:.2f}, plain quads {plain:.2f}, "
                  f"ratio of the means {ours / plain:.3f}")
    # The same renderer on a nested Xephyr (which costs frames of its own),
    # alone and with an 800 x 600 monitor beside the primary that it covers
    # in black: the two lines to hold side by side.
    for monitors, label in ((((1024, 768),), "one monitor"),
                            (((1024, 768), (800, 600)), "a second monitor beside it, covered")):
        print(f"Xephyr in Xvfb, {label}:")
        with Session(monitors=monitors) as session:
            write_pictures(session)
            run_program(session, build / "tools" / RENDERER, seconds)
    # Paced to the display (60 a second here) against the same program with
    # its frames back to back.
    print("320 x 240 x 24 Xvfb display (the mode refused), 60 Hz as Xvfb reports it:")
    with Session(width=320, height=240) as session:
        write_pictures(session)
        paced = run_program(session, build / "tools" / RENDERER, seconds)
        unpaced = run_program(session, build / "tools" / RENDERER, seconds, "--unpaced")
    for name, r in (("paced", paced), ("unpaced", unpaced)):
        print(f"  {name:8} {r['fps']:7.1f} frames a second, longest frame {r['longest']:5.1f} ms, "
              f"{r['fps'] * r['cpu'] / 1000:.2f} CPU seconds a second")
    print(f"  paced CPU against unpaced: {paced['fps'] * paced['cpu'] / (unpaced['fps'] * unpaced['cpu']):.2f}")
    return 0


def write_pictures(session):
    from bitmaps import star_field, write_bmp24
    work = session.drive_c / "k_rova"
    work.mkdir(exist_ok=True)
    write_bmp24(work / "Sorvane01.bmp", 512, 512, star_field())
    write_bmp24(work / "Sorvane02.bmp", 1, 1, lambda x, y: (0, 0, 0))


def run_program(session, program, seconds, *options):
    """Runs a benchmark program; gives its figures: fps, cpu (ms a frame)
    and, for the renderer, longest (ms)."""
    started = time.monotonic()
    process = subprocess.Popen(["wine", str(program), seconds, *options], env=session.env,
                               stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
    _, status, usage = os.wait4(process.pid, 0)
    printed = process.stdout.read().strip()
    wall = time.monotonic() - started
    print(printed or f"{program.name}: printed nothing (exit status {status})")
    print(f"{'':22} process: {wall:.1f} s wall, {usage.ru_utime + usage.ru_stime:.1f} s CPU "
          f"(user {usage.ru_utime:.1f}, system {usage.ru_stime:.1f})")
    labels = {"fps": "fps", "cpu": "cpu ms/frame", "longest": "longest frame ms"}
    return {key: float(found.group(1)) if (found := re.search(label + r"\s+([\d.]+)", printed)) else 0.0
            for key, label in labels.items()}


if __name__ == "__main__":
    sys.exit(main(sys.argv))
