"""The renderer on its own, under Wine on Xvfb: started with the two picture
files in C:\\k_rova, it takes the screen, fades the star field in from black,
keeps it moving, and ends on Escape or Alt+F4 and on nothing else."""
import re
import time

import pytest

from bitmaps import read_ppm, star_field, write_bmp24
from harness import Session, wait_until, windows_path

TITLE = "Sorvane_VC"
ESCAPE_EXIT_CODE = 27  # the wParam of the last message: Escape's key-down
WM_SYSCOMMAND, SC_SCREENSAVE, SC_MONITORPOWER = 0x0112, 0xF140, 0xF170
# Wine's trace of display-mode changes and of ShowCursor.
MODE_AND_CURSOR_TRACE = "trace+system,trace+cursor"
# The mode switched and the cursor hidden at the start, both given back at the end.
SWITCHED_AND_RESTORED = ["switch", "hide", "restore", "show"]


def write_pictures(session, stars=True):
    work = session.drive_c / "k_rova"
    work.mkdir(exist_ok=True)
    star_file, overlay_file = work / "Sorvane01.bmp", work / "Sorvane02.bmp"
    if stars:
        write_bmp24(star_file, 512, 512, star_field())
    else:
        star_file.unlink(missing_ok=True)
    write_bmp24(overlay_file, 1, 1, lambda x, y: (0, 0, 0))


@pytest.fixture
def session():
    with Session() as s:
        write_pictures(s)
        yield s


def start_renderer(session, trace=None):
    renderer = session.run(session.bin("Sorvane.dll"), trace=trace)
    window = session.wait_for_window(TITLE)
    # No window manager hands X's input focus over; the keys must reach the window.
    session.focus(window)
    return renderer, window


def mode_and_cursor_calls(renderer):
    """What the renderer asked of the display mode and the cursor, in order,
    from Wine's trace: "switch" (to a mode of its own), "restore" (to the
    registry's mode), "hide" and "show"."""
    calls = []
    for line in renderer.trace.read_text(errors="replace").splitlines():
        mode = re.search(r":trace:system:NtUserChangeDisplaySettings \S+ (\S+) \S+ \S+ ", line)
        if mode:
            calls.append("restore" if mode.group(1) == "(nil)" else "switch")
        cursor = re.search(r":trace:cursor:NtUserShowCursor (\d)", line)
        if cursor:
            calls.append("show" if cursor.group(1) == "1" else "hide")
    return calls


def test_fades_in_from_black_keeps_moving_and_ends_on_escape(session):
    renderer, _ = start_renderer(session, trace=MODE_AND_CURSOR_TRACE)
    appeared = time.monotonic()
    first = session.screenshot("renderer-first")

    time.sleep(max(0.0, 6.0 - (time.monotonic() - appeared)))
    later = session.screenshot("renderer-6s")
    time.sleep(1.0)
    a_second_on = session.screenshot("renderer-7s")

    assert later.mean() > 0.004, "no stars after the fade"
    assert first.mean() < 0.25 * later.mean(), "the first frames are not (nearly) black"
    assert a_second_on.differs_from(later) > 0.001, "the layers stand still"

    session.key("Escape")
    assert renderer.wait(10) == ESCAPE_EXIT_CODE
    assert session.find_window(TITLE) is None
    assert session.visible_windows(TITLE) == []
    assert mode_and_cursor_calls(renderer) == SWITCHED_AND_RESTORED


def test_alt_f4_closes_the_window(session):
    renderer, _ = start_renderer(session, trace=MODE_AND_CURSOR_TRACE)
    session.key("alt+F4")
    assert renderer.wait(10) == 0
    assert session.find_window(TITLE) is None
    assert mode_and_cursor_calls(renderer) == SWITCHED_AND_RESTORED


def test_a_start_that_fails_after_the_mode_switch_gives_back_the_mode_and_the_cursor():
    # Without GLX no pixel format can be chosen: the start fails after the
    # display mode has been switched and the cursor hidden.
    with Session(xvfb_options=("-extension", "GLX")) as session:
        write_pictures(session)
        renderer = session.run(session.bin("Sorvane.dll"), trace=MODE_AND_CURSOR_TRACE)
        assert renderer.wait(15) == 0
        assert session.find_window(TITLE) is None
        assert session.find_window("Error") is None
        assert mode_and_cursor_calls(renderer) == SWITCHED_AND_RESTORED


def test_a_star_file_of_unknown_format_is_reported_over_the_renderer_and_the_run_goes_on(session):
    star = session.drive_c / "k_rova" / "Sorvane01.bmp"
    data = bytearray(star.read_bytes())
    data[14:18] = (124).to_bytes(4, "little")  # a version 5 header
    star.write_bytes(bytes(data))

    renderer = session.run(session.bin("Sorvane.dll"))
    box = session.wait_for_window("Error")
    assert session.owner("Error") == session.find_window(TITLE)
    code, _ = session.run_to_end(session.probe("wintool.exe"), "child", "Error", "Unknown DIB file format.")
    assert code == 0, "the box does not say what is wrong"
    session.screenshot("renderer-unknown-format")

    session.focus(box)
    session.key("Return")
    session.wait_for_no_window("Error")
    window = session.wait_for_window(TITLE)
    session.focus(window)
    time.sleep(6.0)
    # The star texture was not made: ten layers of 0.7 x white.
    assert session.screenshot("renderer-after-the-error").mean() > 0.6
    assert renderer.running()
    session.key("Escape")
    assert renderer.wait(10) == ESCAPE_EXIT_CODE


def test_other_keys_mouse_moves_and_clicks_do_not_end_the_run(session):
    renderer, _ = start_renderer(session)
    session.key("space", "a", "Return", "F1", "shift")
    session.mouse_move(100, 100)
    session.mouse_move(900, 700)
    session.click(500, 400)
    session.click(300, 300, button=3)
    time.sleep(1.0)
    assert renderer.running()
    session.key("Escape")
    assert renderer.wait(10) == ESCAPE_EXIT_CODE


def test_screen_saver_and_monitor_power_commands_are_swallowed(session):
    renderer, _ = start_renderer(session)
    for command in (SC_SCREENSAVE, SC_MONITORPOWER):
        code, out = session.run_to_end(session.probe("wintool.exe"), "send", TITLE,
                                       str(WM_SYSCOMMAND), str(command), "2")
        assert code == 0 and out.strip() == "0"
    before = session.screenshot("after-syscommands")
    time.sleep(0.5)
    assert renderer.running()
    assert session.screenshot("after-syscommands").differs_from(before) > 0, "drawing stopped"
    session.key("Escape")
    assert renderer.wait(10) == ESCAPE_EXIT_CODE


def test_without_the_star_picture_the_layers_show_white_and_nothing_is_said():
    with Session() as session:
        write_pictures(session, stars=False)
        renderer, _ = start_renderer(session)
        time.sleep(6.0)
        shot = session.screenshot("renderer-no-stars")
        assert session.find_window("Error") is None, "a message box appeared"
        # Ten layers adding 0.7 x white saturate what they cover.
        assert shot.mean() > 0.6
        session.key("Escape")
        assert renderer.wait(10) == ESCAPE_EXIT_CODE


def test_a_refused_display_mode_ends_at_once_with_no_window():
    with Session(width=800, height=600) as session:
        write_pictures(session)
        renderer = session.run(session.bin("Sorvane.dll"))
        assert renderer.wait(15) == 0
        assert session.find_window(TITLE) is None


def test_the_window_covers_the_whole_screen_at_125_percent_scaling():
    with Session() as session, session.logical_dpi(120):
        write_pictures(session)
        renderer, _ = start_renderer(session)
        assert session.client_rect(TITLE) == (0, 0, 1024, 768)
        time.sleep(6.0)
        shot = session.screenshot("renderer-120dpi")
        # Stars reach the right and bottom edges, not only a scaled-down corner.
        assert shot.mean(left=820, top=0, width=204, height=768) > 0.001
        assert shot.mean(left=0, top=620, width=1024, height=148) > 0.001
        session.key("Escape")
        assert renderer.wait(10) == ESCAPE_EXIT_CODE


def test_dibprobe_decodes_with_the_renderers_loader_and_reports_its_messages(session, tmp_path):
    probe = session.bin("../tools/dibprobe.exe")
    picture = tmp_path / "three.bmp"
    colours = [(255, 0, 0), (0, 255, 0), (0, 0, 255), (250, 200, 40), (9, 9, 9), (255, 255, 255)]
    write_bmp24(picture, 3, 2, lambda x, y: colours[x + 3 * y])
    out = tmp_path / "three.ppm"
    code, printed = session.run_to_end(probe, windows_path(picture), windows_path(out))
    assert code == 0 and printed == ""
    assert read_ppm(out) == (3, 2, bytes(c for colour in colours for c in colour))

    v5 = tmp_path / "v5.bmp"
    data = bytearray(picture.read_bytes())
    data[14:18] = (124).to_bytes(4, "little")
    v5.write_bytes(bytes(data))
    assert session.run_to_end(probe, windows_path(v5), windows_path(out)) == (1, "Unknown DIB file format.")

    missing = tmp_path / "missing.bmp"
    assert session.run_to_end(probe, windows_path(missing), windows_path(out)) == (1, "")
