"""Sorvane.scr's start under Wine for every row of the command-line table:
single instance, work folder, renderer check with its message box, and the
end of the process."""
import shutil
import time

import pytest

from harness import Session, wait_until

PRODUCT_TITLE = "Sorvane"  # caption of the missing-renderer message box
RENDERER_MISSING = "Sorvane.dll が同じﾌｫﾙﾀﾞに見つかりません！"
WORK_FOLDER = "k_rova"
PANE_TITLE = "preview pane"

# Argument lists as the desktop or a user passes them; "/p 1234" is two
# arguments on the command line.
FULL_SCREEN = [["/s"], ["/S"], ["-s"]]
# No argument at all is Explorer's Configure.
SETTINGS = [[], ["/c"], ["/C"], ["/c:1234"]]
ENDING = [["/a"], ["/x"], ["s"]]
NON_PREVIEW = FULL_SCREEN + SETTINGS + ENDING
PREVIEW = [["/p", "1234"], ["/p:1234"], ["/p"], ["/P", "99"]]
RENDERER_TITLE = "Sorvane_VC"
SETTINGS_TITLE = "<Sorvane>"


@pytest.fixture(scope="module")
def session():
    with Session() as s, s.installed("sorvane-host/with"), s.installed("sorvane-host/without", renderer=False):
        yield s


def host(session, folder):
    return session.drive_c / "sorvane-host" / folder / "Sorvane.scr"


@pytest.mark.parametrize("arguments", NON_PREVIEW + PREVIEW, ids=lambda a: " ".join(a) or "empty")
def test_with_the_renderer_every_mode_prepares_and_ends_without_a_message(session, arguments):
    work = session.drive_c / WORK_FOLDER
    shutil.rmtree(work, ignore_errors=True)
    program = session.run(host(session, "with"), *arguments)
    # A mode that ends by itself would not end while a box waited for a
    # click: its end shows that none came. The others are looked at while
    # they run.
    if arguments in FULL_SCREEN:
        # A full-screen run: it lasts until the renderer's window goes.
        window = session.wait_for_window(RENDERER_TITLE)
        assert program.running()
        assert session.find_window(PRODUCT_TITLE) is None
        session.focus(window)
        session.key("Escape")
    if arguments in SETTINGS:
        # The settings dialog, until it is closed (the close box acts as its cancel).
        window = session.wait_for_window(SETTINGS_TITLE)
        assert program.running()
        assert session.find_window(PRODUCT_TITLE) is None
        assert session.find_window(RENDERER_TITLE) is None, "a run started instead of the settings"
        session.focus(window)
        session.key("alt+F4")
    assert program.wait() == 0
    preview = arguments and arguments[0].upper().startswith("/P")
    assert work.is_dir() != bool(preview), "the work folder is made for every mode but the preview"


@pytest.mark.parametrize("arguments", NON_PREVIEW, ids=lambda a: " ".join(a) or "empty")
def test_without_the_renderer_every_mode_but_preview_shows_the_message_then_ends(session, arguments):
    program = session.run(host(session, "without"), *arguments)
    session.answer_message_box(PRODUCT_TITLE, says=RENDERER_MISSING)
    assert program.wait() == 0


@pytest.mark.parametrize("arguments", PREVIEW, ids=" ".join)
def test_without_the_renderer_the_preview_still_ends_silently(session, arguments):
    program = session.run(host(session, "without"), *arguments)
    # A box would keep it from ending.
    assert program.wait() == 0


@pytest.mark.parametrize("running_title", ["Sorvane_Main", "<Sorvane>"])
@pytest.mark.parametrize("arguments", [["/c"], ["/s"], ["/p", PANE_TITLE]], ids=" ".join)
def test_a_second_start_ends_at_once_while_a_saver_form_or_dialog_exists(session, running_title, arguments):
    other = session.run(session.probe("window_probe.exe"), running_title)
    session.wait_for_window(running_title)
    if arguments[-1] == PANE_TITLE:
        # A real pane: a preview that passed the test would stay in it.
        pane = session.run(session.probe("window_probe.exe"), PANE_TITLE, "--size", "152x112", "--at", "400,100")
        session.wait_for_window(PANE_TITLE)
        arguments = ["/p", str(session.find_window(PANE_TITLE))]
    # Without the renderer any other start that passed the test would show
    # a box and wait for it.
    program = session.run(host(session, "without"), *arguments)
    assert program.wait() == 0
    other.kill()
    session.wait_for_no_window(running_title)
    if arguments[0] == "/p":
        pane.kill()
        session.wait_for_no_window(PANE_TITLE)


def test_a_second_settings_start_brings_the_open_dialog_to_the_front(session):
    """The dialog has no owner: a click on the screen-saver settings hides
    it behind them, and a second click on their Settings button starts a
    new host, which finds it."""
    dialog = session.run(host(session, "with"), "/c")
    session.wait_for_window(SETTINGS_TITLE)
    other = session.run(session.probe("window_probe.exe"), "screen saver settings")
    session.wait_for_window("screen saver settings")
    wait_until(lambda: session.foreground() == "screen saver settings", what="the other window in front")
    second = session.run(host(session, "with"), "/c")
    assert second.wait() == 0
    wait_until(lambda: session.foreground() == SETTINGS_TITLE, what="the dialog in front")
    assert dialog.running(), "the first host ended"
    assert len(session.visible_windows(SETTINGS_TITLE)) == 1
    other.kill()
    session.focus(session.wait_for_window(SETTINGS_TITLE))
    session.key("alt+F4")
    assert dialog.wait() == 0


def test_from_a_drives_root_folder_the_renderer_is_found_beside_it(session):
    root_host, root_renderer = session.drive_c / "Sorvane.scr", session.drive_c / "Sorvane.dll"
    session.install(session.drive_c)
    try:
        # A box would keep it from ending.
        assert session.run(root_host, "/a").wait() == 0
        root_renderer.unlink()
        program = session.run(root_host, "/a")
        session.answer_message_box(PRODUCT_TITLE, says=RENDERER_MISSING)
        assert program.wait() == 0
    finally:
        root_host.unlink(missing_ok=True)
        root_renderer.unlink(missing_ok=True)
