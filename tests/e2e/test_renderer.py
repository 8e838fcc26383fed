"""The renderer on its own, under Wine on Xvfb: started with the two picture
files in C:\\k_rova, it takes the screen, fades the star field in from black,
keeps it moving, and ends on Escape or Alt+F4 and on nothing else; every
other monitor stays black, and a display that refuses its mode still shows
the star field, in its own shape."""
import re

import pytest

from bitmaps import read_ppm, star_field, write_bmp24
from harness import Session, wait_until, windows_path

TITLE = "Sorvane_VC"
ESCAPE_EXIT_CODE = 27  # the wParam of the last message: Escape's key-down
WM_SYSCOMMAND, SC_SCREENSAVE, SC_MONITORPOWER = 0x0112, 0xF140, 0xF170
# Wine's trace of display-mode changes and of ShowCursor.
MODE_AND_CURSOR_TRACE = "trace+system,trace+cursor"
# The mode switched and the cursor hidden at the start, both given back at
# the end in the reverse order.
SWITCHED_AND_RESTORED = ["switch", "hide", "show", "restore"]
# A refused switch: the desktop's mode stays, so there is nothing to restore.
REFUSED = ["switch", "hide", "show"]
WM_DISPLAYCHANGE = 0x007E
WM_SETCURSOR = 0x0020
WS_EX_TOPMOST = 0x00000008
# The loop's frames and rests in Wine's relay trace (trace="+relay").
FRAMES_AND_RESTS = "gdi32.SwapBuffers;user32.MsgWaitForMultipleObjectsEx"


def write_pictures(session, stars=True):
    work = session.drive_c / "k_rova"
    work.mkdir(exist_ok=True)
    star_file, overlay_file = work / "Sorvane01.bmp", work / "Sorvane02.bmp"
    if stars:
        write_bmp24(star_file, 512, 512, star_field())
    else:
        star_file.unlink(missing_ok=True)
    write_bmp24(overlay_file, 1, 1, lambda x, y: (0, 0, 0))


@pytest.fixture(scope="module")
def shared_session():
    with Session() as s, s.relay_trace(FRAMES_AND_RESTS):
        yield s


@pytest.fixture
def session(shared_session):
    write_pictures(shared_session)
    return shared_session


def start_renderer(session, trace=None):
    """The renderer, given the focus. Traced with "+relay", once a frame has
    started since then: the messages that came with the focus are done."""
    renderer = session.run(session.bin("Sorvane.dll"), trace=trace)
    window = session.wait_for_window(TITLE)
    # No window manager hands X's input focus over; the keys must reach the window.
    session.focus(window)
    if "+relay" in (trace or ""):
        frames_after(renderer)
    return renderer, window


def end_with_escape(session, renderer):
    session.key("Escape")
    assert renderer.wait() == ESCAPE_EXIT_CODE


def mode_and_cursor_calls(renderer):
    """What the renderer asked of the display mode and the cursor, in order,
    from Wine's trace: "switch" (to a mode of its own), "restore" (to the
    registry's mode), "hide" and "show"."""
    calls = []
    text = renderer.trace.read_text(errors="replace")
    # The renderer's own lines, the first to trace: a process it brings up
    # (Wine's desktop process, started on demand) traces into the same file.
    first = re.search(r"^([0-9a-f]+):[0-9a-f]+:trace:", text, re.M)
    for line in (line for line in text.splitlines() if first and line.startswith(first.group(1) + ":")):
        if mode := re.search(r":trace:system:NtUserChangeDisplaySettings \S+ (\S+) \S+ \S+ ", line):
            calls.append("restore" if mode.group(1) == "(nil)" else "switch")
        if cursor := re.search(r":trace:cursor:NtUserShowCursor (\d)", line):
            calls.append("show" if cursor.group(1) == "1" else "hide")
    return calls


def loop_events(program):
    """From a relay trace, in order: ("swap",), ("rest",) for a wait for
    messages alone, ("timed rest",) for one with a time-out or a timer, these
    messages to the window as (NAME, wParam), and the probe's lines."""
    events = []
    for line in program.trace.read_text(errors="replace").splitlines():
        rest = re.search(r"Call user32\.MsgWaitForMultipleObjectsEx\(([0-9a-f]+),[0-9a-f]+,([0-9a-f]+),", line)
        message = re.search(r"Call window proc \w+ \(hwnd=\w+,msg=(WM_SIZE|WM_NULL|WM_KEYDOWN|WM_POWERBROADCAST),"
                            r"wp=([0-9a-f]+)", line)
        printed = re.fullmatch(r"(frame|off|on)((?: [0-9.]+)+)\r?", line)
        if "Call gdi32.SwapBuffers(" in line:
            events.append(("swap",))
        elif rest:
            events.append(("rest",) if rest.group(1, 2) == ("00000000", "ffffffff") else ("timed rest",))
        elif message:
            events.append((message.group(1), int(message.group(2), 16)))
        elif printed:
            events.append((printed.group(1), *map(float, printed.group(2).split())))
    return events


def frames_after(renderer):
    """Waits for two more swaps: the second frame started after the call."""
    swaps = lambda: loop_events(renderer).count(("swap",))
    before = swaps()
    wait_until(swaps, accept=lambda count: count >= before + 2, what=f"two frames after the first {before}")


def after_last(events, event):
    """The events after the last `event`; none while there is no such event."""
    return events[len(events) - events[::-1].index(event):] if event in events else []


def moving_stars(session, shows=lambda shot: star_field_on(shot, 0, 0, 1024, 768), moves=2):
    """A screenshot that `shows` what is looked for (the star field on the primary)
    after a star has left its spot `moves` times from one look to the next: each
    move is a frame swapped after the one before, so the last started after the call."""
    shots = [session.screenshot("stars")]

    def look():
        shots[:] = [shots[-1], session.screenshot("stars")]
        return tuple(shots)

    for _ in range(moves):
        wait_until(look, what="a star leaving its spot",
                   accept=lambda pair: pair[1].went_dark_from(pair[0]) > 0 and shows(pair[1]))
    return shots[-1]


def white_layers(session, name):
    """Without the star texture ten layers of 0.7 x white saturate what they cover."""
    wait_until(lambda: session.screenshot(name), what="the white layers", accept=lambda shot: shot.mean() > 0.6)


def covers(session):
    """(left, top, width, height) of each visible window the renderer's
    window owns: the black covers, none with a title."""
    out = session.wintool("owned", TITLE)
    rows = [line.split() for line in out.splitlines() if line.strip()]
    assert all(len(row) == 5 for row in rows), f"a cover has a title: {out!r}"
    return sorted(tuple(int(v) for v in row[:4]) for row in rows if row[4] == "1")


def star_field_on(shot, left, top, width, height):
    return shot.mean(left, top, width, height) > 0.004


def black_on(shot, left, top, width, height):
    return shot.mean(left, top, width, height) == 0.0


# -- Cases in the module's one session ----------------------------------------

def test_the_star_field_takes_the_screen_keeps_moving_and_ends_on_escape(session):
    renderer, _ = start_renderer(session, MODE_AND_CURSOR_TRACE + ",+relay")
    assert covers(session) == [], "one monitor needs no cover"
    # Always on top: no taskbar or notification over the star field.
    assert int(session.wintool("exstyle", TITLE), 16) & WS_EX_TOPMOST
    moving_stars(session)
    end_with_escape(session, renderer)
    assert mode_and_cursor_calls(renderer) == SWITCHED_AND_RESTORED


def test_the_fade_is_on_the_scenes_clock_and_no_frame_is_drawn_while_the_display_is_off(session):
    # The renderer's own run in a probe that tells it the console display went
    # off after ten frames and came back on. Without the star picture the
    # layers saturate the middle white: its brightness is 255 x the fade.
    write_pictures(session, stars=False)
    probe = session.run(session.probe("renderer_probe.exe"), trace="+relay")
    assert probe.wait() == 0
    events = loop_events(probe)
    kinds = [event[0] for event in events]
    off, on = kinds.index("off"), kinds.index("on")
    assert kinds[:off].count("frame") == 10
    # While the display is off the loop rests for messages alone.
    assert "rest" in kinds[off:on] and not {"swap", "timed rest"} & set(kinds[off:on]), kinds[off:on]
    # Black to full in 5 s of the scene's clock, straight; no second fade after.
    frames = [event[1:] for event in events if event[0] == "frame"]
    off_the_line = [(ms, level) for ms, level in frames if abs(level - 255 * min(ms, 5000) / 5000) > 1]
    assert frames[0][0] == 0 and frames[-1][0] >= 5000 and not off_the_line, off_the_line


def test_alt_f4_closes_the_window(session):
    renderer, _ = start_renderer(session, trace=MODE_AND_CURSOR_TRACE)
    session.key("alt+F4")
    assert renderer.wait() == 0
    assert mode_and_cursor_calls(renderer) == SWITCHED_AND_RESTORED


def test_a_star_file_of_unknown_format_is_reported_over_the_renderer_and_the_run_goes_on(session):
    star = session.drive_c / "k_rova" / "Sorvane01.bmp"
    data = bytearray(star.read_bytes())
    data[14:18] = (124).to_bytes(4, "little")  # a version 5 header
    star.write_bytes(bytes(data))

    renderer = session.run(session.bin("Sorvane.dll"))
    session.answer_message_box("Error", says="Unknown DIB file format.", owner=TITLE)
    session.focus(session.wait_for_window(TITLE))
    # The star texture was not made.
    white_layers(session, "renderer-after-the-error")
    end_with_escape(session, renderer)


def test_other_keys_mouse_moves_and_clicks_do_not_end_the_run(session):
    renderer, _ = start_renderer(session, "+relay")
    session.key("space", "a", "Return", "F1", "shift")
    session.mouse_move(100, 100)
    session.mouse_move(900, 700)
    session.click(500, 400)
    session.click(300, 300, button=3)
    frames_after(renderer)
    # Ended by Escape's key-down, not by anything before it.
    end_with_escape(session, renderer)


def test_screen_saver_and_monitor_power_commands_are_swallowed(session):
    renderer, _ = start_renderer(session, "+relay")
    for command in (SC_SCREENSAVE, SC_MONITORPOWER):
        assert session.wintool("send", TITLE, str(WM_SYSCOMMAND), str(command), "2").strip() == "0"
    frames_after(renderer)
    end_with_escape(session, renderer)


def test_a_minimised_run_rests_and_draws_again_when_restored(session):
    renderer, window = start_renderer(session, "+relay")
    assert session.wintool("minimize", TITLE).strip() == "1"
    minimised = lambda: after_last(loop_events(renderer), ("WM_SIZE", 1))
    resting = lambda events: events and events[-1][0] in ("rest", "timed rest")
    assert wait_until(minimised, accept=resting, what="a rest once minimised") == [("rest",)]
    # A message wakes the loop, which rests again for messages alone, with no frame.
    assert session.wintool("send", TITLE, "0", "0", "0").strip() == "0"
    woken = wait_until(minimised, what="a rest after WM_NULL",
                       accept=lambda events: resting(events) and ("WM_NULL", 0) in events[:-1])
    assert set(woken) == {("rest",), ("WM_NULL", 0)}, woken

    assert session.wintool("restore", TITLE).strip() == "0"
    session.focus(window)
    # Frames again, the last since the focus came back.
    frames_after(renderer)
    end_with_escape(session, renderer)


def test_without_the_star_picture_the_layers_show_white_and_nothing_is_said(session):
    write_pictures(session, stars=False)
    renderer, _ = start_renderer(session)
    white_layers(session, "renderer-no-stars")
    assert session.find_window("Error") is None, "a message box appeared"
    end_with_escape(session, renderer)


def test_the_window_covers_the_whole_screen_at_125_percent_scaling(session):
    with session.logical_dpi(120):
        renderer, _ = start_renderer(session)
        assert session.client_rect(TITLE) == (0, 0, 1024, 768)
        # Stars reach the right and bottom edges, not only a scaled-down corner.
        moving_stars(session, lambda shot: shot.mean(820, 0, 204, 768) > 0.001 and shot.mean(0, 620, 1024, 148) > 0.001)
        end_with_escape(session, renderer)


def test_dibprobe_decodes_with_the_renderers_loader_and_reports_its_messages(session, tmp_path):
    probe = session.bin("../tools/dibprobe.exe")
    picture = tmp_path / "three.bmp"
    # The first pixel white-space bytes (space, line feed, tab), which a PPM's header does not own.
    colours = [(32, 10, 9), (255, 0, 0), (0, 255, 0), (0, 0, 255), (250, 200, 40), (255, 255, 255)]
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


# -- Cases in sessions of their own, after the module's ----------------------

def test_a_start_that_fails_after_the_mode_switch_gives_back_the_mode_and_the_cursor():
    # Without GLX no pixel format can be chosen: the start fails after the
    # display mode has been switched and the cursor hidden.
    with Session(xvfb_options=("-extension", "GLX")) as session:
        write_pictures(session)
        renderer = session.run(session.bin("Sorvane.dll"), trace=MODE_AND_CURSOR_TRACE)
        # It ends by itself: no box waits for a click.
        assert renderer.wait() == 0
        assert mode_and_cursor_calls(renderer) == SWITCHED_AND_RESTORED


def test_frames_never_outpace_the_display_and_escape_still_ends_the_run_at_once():
    # 320 x 240: the mode is refused, and the software renderer could draw
    # several hundred frames a second there; the display shows 60.
    with Session(width=320, height=240) as session:
        write_pictures(session)
        # The calls Wine carries out either way: the high-resolution timer
        # asked for, the display's state asked to be told.
        with session.relay_trace("kernel32.CreateWaitableTimerExW;kernelbase.CreateWaitableTimerExW;"
                                 "user32.RegisterPowerSettingNotification;" + FRAMES_AND_RESTS):
            renderer, _ = start_renderer(session, "+timestamp,+relay")
        swap_times = lambda: [int(s) * 1000 + int(ms) for s, ms in re.findall(
            r"^(\d+)\.(\d{3}):\S*Call gdi32\.SwapBuffers\(", renderer.trace.read_text(errors="replace"), re.M)]
        times = wait_until(swap_times, accept=lambda times: len(times) > 120, what="121 frames")
        end_with_escape(session, renderer)
        calls = renderer.trace.read_text(errors="replace")
        timers = re.findall(r"Call \w+\.CreateWaitableTimerExW\([0-9a-f]+,[0-9a-f]+,([0-9a-f]+),", calls, re.I)
        assert timers and int(timers[0], 16) == 0x2, f"no high-resolution timer asked for: {timers}"
        # Window handle, the setting, DEVICE_NOTIFY_WINDOW_HANDLE (0): the
        # console display, and the monitor's power for Windows 7.
        registrations = re.findall(r"Call user32\.RegisterPowerSettingNotification\([0-9a-f]+,[0-9a-f]+,([0-9a-f]+)\)",
                                   calls)
        assert [int(flags, 16) for flags in registrations] == [0, 0], registrations
        # Frames start on a grid a display period apart, each less than a
        # period late, and the next starts after a swap: any 120 swaps span
        # more than 117 periods (less a millisecond of the trace's clock).
        shortest = min(last - first for first, last in zip(times, times[119:]))
        assert shortest >= 117 * 1000 / 60 - 1, shortest  # Xvfb has no rate: the renderer takes 60
        # Escape's key-down ends the run before the next frame.
        events = loop_events(renderer)
        assert ("WM_KEYDOWN", 0x1B) in events and ("swap",) not in after_last(events, ("WM_KEYDOWN", 0x1B))


# The primary's size, the others beside it; where the scene's 4:3 picture
# stands on the primary (left, top, width, height); whether the mode switch
# is refused.
DISPLAYS = {
    "1024 x 768 beside 800 x 600": (((1024, 768), (800, 600)), (0, 0, 1024, 768), False),
    "three of different sizes": (((1024, 768), (800, 600), (640, 480)), (0, 0, 1024, 768), False),
    "refused: a single 1920 x 1080": (((1920, 1080),), (240, 0, 1440, 1080), True),
    "refused: 1280 x 1024 beside 800 x 600": (((1280, 1024), (800, 600)), (0, 32, 1280, 960), True),
}


@pytest.mark.parametrize("display", DISPLAYS)
def test_every_monitor_is_covered_and_the_star_field_keeps_its_shape(display):
    sizes, picture, refused = DISPLAYS[display]
    with Session(monitors=sizes) as session:
        write_pictures(session)
        # What was left open on the other monitors must not show.
        others, left = [], sizes[0][0]
        for width, height in sizes[1:]:
            others.append((left, 0, width, height))
            session.run(session.probe("window_probe.exe"), f"left open {left}", "--size", f"{width}x{height}",
                        "--at", f"{left},0")
            session.wait_for_window(f"left open {left}")
            left += width
        assert session.read_until_answered(("monitors",), 5) == [(0, 0, *sizes[0], 1)] + [(*at, 0) for at in others]

        renderer, window = start_renderer(session, trace=MODE_AND_CURSOR_TRACE)
        primary = (0, 0, *sizes[0])
        assert session.client_rect(TITLE) == primary
        assert covers(session) == sorted(others)
        shot = moving_stars(session, lambda shot: star_field_on(shot, *picture), moves=1)
        for other in others:
            assert black_on(shot, *other), f"the monitor at {other} shows what is under the cover"
        # The rest of the primary, beside or above and below the picture, is black.
        px, py, pw, ph = picture
        for margin in [(0, 0, px, primary[3]), (px + pw, 0, primary[2] - px - pw, primary[3]),
                       (0, 0, primary[2], py), (0, py + ph, primary[2], primary[3] - py - ph)]:
            if margin[2] > 0 and margin[3] > 0:
                assert black_on(shot, *margin), f"the scene is stretched over {margin}"

        # A click on another monitor takes nothing from the renderer's window.
        for other in others:
            session.click(other[0] + other[2] // 2, other[3] // 2)
        moving_stars(session, lambda shot: star_field_on(shot, *picture))
        assert session.wintool("focus", TITLE).split()[-1] == "OpenGL", "the renderer lost the keyboard focus"
        assert renderer.running()

        # Escape reaches whatever X gives the keys to.
        end_with_escape(session, renderer)
        assert mode_and_cursor_calls(renderer) == (REFUSED if refused else SWITCHED_AND_RESTORED)


def test_the_covers_follow_a_change_of_display():
    sizes = ((1024, 768), (800, 600), (640, 480))
    with Session(monitors=sizes) as session:
        write_pictures(session)
        renderer, _ = start_renderer(session)
        placed = covers(session)
        assert placed == [(1024, 0, 800, 600), (1824, 0, 640, 480)]
        # The covers stand somewhere the monitors no longer are, as after a
        # change of layout; the display change puts them back on the monitors.
        session.wintool("moveowned", TITLE, "3000", "0")
        assert covers(session) != placed
        assert session.wintool("send", TITLE, str(WM_DISPLAYCHANGE), "32", str(1024 | 768 << 16)).strip() == "0"
        assert covers(session) == placed
        assert session.client_rect(TITLE) == (0, 0, 1024, 768)

        # A click on a cover is answered without the beep of a disabled window.
        assert session.wintool("sendowned", TITLE, str(WM_SETCURSOR), "0", str(1 | 0x0201 << 16)).split() == ["1", "1"]

        # Minimised, the covers go with the window, and a change of display
        # does not bring them back over the user's work; restored, they return.
        assert session.wintool("minimize", TITLE).strip() == "1"
        session.wintool("send", TITLE, str(WM_DISPLAYCHANGE), "32", str(1024 | 768 << 16))
        assert covers(session) == []
        assert session.wintool("restore", TITLE).strip() == "0"
        wait_until(lambda: covers(session) == placed, what="the covers back with the window")
        session.focus(session.wait_for_window(TITLE))
        # Frames again, the last since the focus came back.
        moving_stars(session)
        end_with_escape(session, renderer)


# A Wine virtual desktop of 1280 x 1024 in a display big enough to hold it:
# there the switch to 1024 x 768 really happens.
DESKTOP = (1280, 1024)


def virtual_desktop_session():
    return Session(width=1600, height=1200, virtual_desktop=DESKTOP)


def test_the_mode_really_switches_and_escape_gives_the_desktops_back():
    with virtual_desktop_session() as session:
        write_pictures(session)
        assert session.screen_size() == DESKTOP
        renderer, _ = start_renderer(session)
        wait_until(lambda: session.screen_size() == (1024, 768), what="the switch to 1024 x 768")
        assert session.client_rect(TITLE) == (0, 0, 1024, 768)
        moving_stars(session)
        end_with_escape(session, renderer)
        assert session.screen_size() == DESKTOP


def test_a_mode_taken_back_during_the_run_is_followed_to_the_whole_desktop():
    with virtual_desktop_session() as session:
        write_pictures(session)
        renderer, window = start_renderer(session)
        wait_until(lambda: session.screen_size() == (1024, 768), what="the switch to 1024 x 768")
        # Another program gives the registry mode back, as Windows does when
        # the user goes to another desktop and comes back.
        assert session.wintool("registrymode").strip() == "0"
        wait_until(lambda: session.screen_size() == DESKTOP, what="the desktop's own mode back")
        # The desktop that changes its mode answers for no window for a while.
        wait_until(lambda: session.read_until_answered(("client", TITLE), 4) == [(0, 0, *DESKTOP)],
                   what="the window over the whole desktop")
        assert renderer.running()
        session.focus(window)
        # The star field in the centred 1280 x 960, beyond the old corner too;
        # black bands above and below it; nothing of the desktop.
        shot = moving_stars(session, lambda shot: star_field_on(shot, 0, 32, 1280, 960)
                            and star_field_on(shot, 1024, 32, 256, 960))
        assert black_on(shot, 0, 0, 1280, 32)
        assert black_on(shot, 0, 992, 1280, 32)
        end_with_escape(session, renderer)
