#!/usr/bin/env python3
"""Times a full-screen run under Wine on a 1024 x 768 Xvfb display:

- from starting `Sorvane.scr /s` until the renderer's window is on the screen
  (its first frame follows at once), beside the same for a minimal GL program;
- from Escape until both the renderer and the host have ended;
- the host's CPU time and peak memory over a run of RUN_SECONDS (default 30),
  beside the peak memory of a bare GUI program (one hidden window) run at
  the same time;
- from starting `Sorvane.scr /c` until the settings dialog is on the screen,
  the host's CPU time and peak memory while it stands open for 10 s (its
  buttons poll the pointer every 100 ms), and from the close until the end.

    tools/bench/run_saver_benchmark.py BUILD_DIR [RUN_SECONDS]
"""
import os
import pathlib
import shutil
import subprocess
import sys
import time

ROOT = pathlib.Path(__file__).resolve().parents[2]
sys.path.insert(0, str(ROOT / "tests" / "e2e"))
DIALOG_SECONDS = 10.0


def wait_for_window(session, title, timeout=30):
    """The moment the window shows, looked for every 10 ms: the harness's
    own wait looks more rarely than the times measured here."""
    start = time.monotonic()
    while time.monotonic() - start < timeout:
        if session.visible_windows(title):
            return time.monotonic()
        time.sleep(0.01)
    raise TimeoutError(title)


def peak_memory_kib(pid):
    for line in pathlib.Path(f"/proc/{pid}/status").read_text().splitlines():
        if line.startswith("VmHWM:"):
            return int(line.split()[1])
    return 0


def time_host(session, folder, argument, title, seconds, key, others_ended):
    """Starts Sorvane.scr with the argument: (seconds until the window titled
    title shows, the host's CPU seconds and peak KiB after `seconds` from the
    start, seconds from the key until the host and the others have ended)."""
    started = time.monotonic()
    host = session.run(folder / "Sorvane.scr", argument)
    shown = wait_for_window(session, title) - started
    window = session.visible_windows(title)[0]
    time.sleep(max(0.0, seconds - (time.monotonic() - started)))
    cpu, memory = host.cpu_seconds(), peak_memory_kib(host.pid)
    session.focus(window)
    session.key(key)
    pressed = time.monotonic()
    host.wait(30)
    while not others_ended():
        time.sleep(0.01)
    return shown, cpu, memory, time.monotonic() - pressed


def main(argv):
    build = pathlib.Path(argv[1]).resolve()
    run_seconds = float(argv[2]) if len(argv) > 2 else 30.0
    os.environ.setdefault("WINEPREFIX", str(build / "wineprefix"))
    os.environ.setdefault("SORVANE_BIN_DIR", str(build / "bin"))
    os.environ.setdefault("SORVANE_PROBE_DIR", str(build / "tests" / "probes"))
    os.environ.setdefault("SORVANE_TEST_OUTPUT", str(build / "benchmark-output"))
    from harness import Session

    with Session() as session:
        folder = session.drive_c / "sorvane-bench"
        shutil.rmtree(folder, ignore_errors=True)
        folder.mkdir()
        for name in ("Sorvane.scr", "Sorvane.dll"):
            shutil.copy(build / "bin" / name, folder)

        started = time.monotonic()
        reference = session.run(build / "tools" / "reference_clear_swap.exe", "2")
        reference_shown = wait_for_window(session, "Sorvane reference") - started
        reference.wait(None)

        # A bare GUI program beside the run: the host's memory against Wine's own cost.
        bare = session.run(build / "tools" / "reference_hidden_window.exe", str(run_seconds + 5))
        # The renderer outlives the host by a moment: the run ends when both have.
        shown, cpu, memory, ended = time_host(
            session, folder, "/s", "Sorvane_VC", run_seconds, "Escape",
            lambda: subprocess.run(["pgrep", "-f", "sorvane-bench.Sorvane.dll"],
                                   capture_output=True).returncode != 0)
        bare_memory = peak_memory_kib(bare.pid)
        bare.kill()
        dialog_shown, dialog_cpu, dialog_memory, dialog_ended = time_host(
            session, folder, "/c", "<Sorvane>", DIALOG_SECONDS, "alt+F4", lambda: True)
        shutil.rmtree(folder, ignore_errors=True)

    print("Full-screen run, Wine on a 1024 x 768 x 24 Xvfb display")
    print(f"  Sorvane.scr /s until the renderer's window shows   {shown:6.2f} s")
    print(f"  minimal GL program until its window shows         {reference_shown:6.2f} s")
    print(f"  Escape until renderer and host have both ended    {ended:6.2f} s")
    print(f"  host over a {run_seconds:.0f} s run: CPU {cpu:.2f} s, peak memory {memory / 1024:.1f} MiB")
    print(f"  a bare GUI program beside it: peak memory {bare_memory / 1024:.1f} MiB "
          f"(the host {memory / max(bare_memory, 1):.2f} x)")
    print("Settings dialog")
    print(f"  Sorvane.scr /c until the dialog shows              {dialog_shown:6.2f} s")
    print(f"  host {DIALOG_SECONDS:.0f} s after its start: CPU {dialog_cpu:.2f} s, "
          f"peak memory {dialog_memory / 1024:.1f} MiB")
    print(f"  Alt+F4 until the host has ended                   {dialog_ended:6.2f} s")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
