"""Makes the README's pictures in docs/ from a real run of the built programs
under Wine on Xvfb: the screen saver a few seconds after its fade-in, and the
settings dialog. Run it through scripts/docs-pictures, which builds first.

    make_docs_pictures.py BUILD_DIR DOCS_DIR
"""
import os
import pathlib
import subprocess
import sys
import tempfile
import time

SOURCE = pathlib.Path(__file__).resolve().parents[1]
sys.path.insert(0, str(SOURCE / "tests" / "e2e"))

RENDERER_TITLE = "Sorvane_VC"
DIALOG_TITLE = "<Sorvane>"
# Past the five-second fade-in, with the layers well apart.
SECONDS_INTO_THE_RUN = 8.0
# The full screen at half its size, in a few dozen colours: a small file in
# which the stars still show as they do on the screen.
SCREEN_SAVER_WIDTH = 512
SCREEN_SAVER_COLOURS = 32


def main(build_dir, docs_dir):
    build_dir, docs_dir = pathlib.Path(build_dir).resolve(), pathlib.Path(docs_dir).resolve()
    docs_dir.mkdir(parents=True, exist_ok=True)
    os.environ.update({
        "WINEPREFIX": str(build_dir / "wineprefix"),
        "SORVANE_BIN_DIR": str(build_dir / "bin"),
        "SORVANE_PROBE_DIR": str(build_dir / "tests" / "probes"),
        "SORVANE_TEST_OUTPUT": tempfile.mkdtemp(prefix="sorvane-docs-"),
    })
    from harness import Session  # needs the environment above

    with Session() as session:
        host = session.run(session.bin("Sorvane.scr"), "/s")
        window = session.wait_for_window(RENDERER_TITLE)
        time.sleep(SECONDS_INTO_THE_RUN)
        shot = session.screenshot("screen-saver")
        small(shot.path, docs_dir / "screen-saver.png", "-resize", f"{SCREEN_SAVER_WIDTH}x",
              "-colors", str(SCREEN_SAVER_COLOURS))
        session.focus(window)
        session.key("Escape")
        host.wait(30)

        host = session.run(session.bin("Sorvane.scr"), "/c")
        dialog = session.wait_for_window(DIALOG_TITLE)
        session.focus(dialog)
        time.sleep(1.0)  # the opening flight and the first paint
        left, top, width, height = (int(v) for v in session.wintool("window", DIALOG_TITLE).split())
        shot = session.screenshot("settings-dialog")
        small(shot.path, docs_dir / "settings-dialog.png", "-crop", f"{width}x{height}+{left}+{top}", "+repage")
        session.key("alt+F4")
        host.wait(30)
    for name in ("screen-saver.png", "settings-dialog.png"):
        print(f"{docs_dir / name}: {(docs_dir / name).stat().st_size} bytes")


def small(source, target, *options):
    """A PNG made by ImageMagick's convert with the options, without the time
    stamps and text that would change it on every run, so that the same
    picture gives the same bytes."""
    subprocess.run(["convert", str(source), *options, "-strip", "-define", "png:exclude-chunks=date,time",
                    f"png:{target}"], check=True)


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    main(sys.argv[1], sys.argv[2])
