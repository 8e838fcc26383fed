"""The full-screen run as Windows starts it: Sorvane.scr /s writes the two
textures, starts the music its settings choose and the renderer, and ends
with the music once the renderer's window has gone; and the preview inside a
pane."""
import pathlib
import re
import shutil
import subprocess

import pytest

from bitmaps import write_bmp24
from harness import Session, wait_until
from settings_file import write_settings
from test_music import LOUD, SLICE, loud_spans, make_tone, quiet_at_end, record_past

RUN_FOLDER = "sorvane-run"
JAPANESE_MUSIC = ("音楽/ソナタ.mp3", "表/能.wav")
RENDERER_TITLE = "Sorvane_VC"
SAVER_TITLE = "Sorvane_Main"


def rgb_of(path):
    """(width, height, rgb bytes) of any picture ImageMagick reads."""
    size = subprocess.run(["identify", "-format", "%w %h", str(path)], check=True,
                          capture_output=True, text=True).stdout.split()
    data = subprocess.run(["convert", str(path), "-depth", "8", "rgb:-"], check=True,
                          capture_output=True).stdout
    return int(size[0]), int(size[1]), data


def bmp_bit_count(path):
    return int.from_bytes(path.read_bytes()[28:30], "little")


@pytest.fixture(scope="module")
def session():
    with Session(sound=True) as s, s.installed(RUN_FOLDER) as folder:
        make_tone(folder / "tune.mp3", 1.5, 660)
        make_tone(folder / "loop.wav", 1.0, 440)
        shutil.copy(folder / "loop.wav", folder / "tune.ogg")
        shutil.copy(folder / "tune.mp3", folder / "Tune.Mp3")
        # Japanese names whose characters' second byte is 0x5C, the byte of '\\'.
        for name in JAPANESE_MUSIC:
            (s.drive_c / name).parent.mkdir(exist_ok=True)
            shutil.copy(folder / ("tune.mp3" if name.endswith(".mp3") else "loop.wav"), s.drive_c / name)
        yield s
        for name in JAPANESE_MUSIC:
            shutil.rmtree(s.drive_c / pathlib.PurePosixPath(name).parts[0], ignore_errors=True)


def host_path(session):
    return session.drive_c / RUN_FOLDER / "Sorvane.scr"


def start_run(session, *arguments, program=None, trace=None):
    """A full-screen run (the run folder's host with /s unless told): the
    host's process and the renderer's window, once it shows."""
    host = session.run(program or host_path(session), *(arguments or ["/s"]), trace=trace)
    return host, session.wait_for_window(RENDERER_TITLE)


def end_run_with_escape(session, window, host):
    """Escape tapped as a person does once the renderer has the keyboard; the
    run ends."""
    wait_until(lambda: session.foreground() == RENDERER_TITLE, what="the renderer in the foreground")
    assert host.running(), "the run ended before Escape"
    session.focus(window)
    session.key("Escape")
    assert host.wait() == 0


def traced_processes(trace):
    """Each process's lines of a trace taken with +pid, by process id, in the
    order the processes first wrote (the program the trace was asked for
    first), each line without its process and thread ids but with its
    timestamp when taken with +timestamp."""
    processes = {}
    for stamp, pid, rest in re.findall(r"^(\d+\.\d+:)?([0-9a-f]{4}):[0-9a-f]{4}:(.*)$",
                                       trace.read_text(errors="replace"), re.M):
        processes.setdefault(int(pid, 16), []).append(stamp + rest)
    return processes


def host_lines(host):
    """The host's own lines of its trace so far."""
    return next(iter(traced_processes(host.trace).values()), [])


def window_of(trace, title):
    """From a +win trace: the handle of the window of that title, and whether
    it was ever made visible (made with WS_VISIBLE, a ShowWindow other than
    SW_HIDE, a move with SWP_SHOWWINDOW or with the visible style)."""
    made_it = lambda line: re.search(f'WIN_CreateWindowEx L?"{title}"', line)
    lines = next(lines for lines in traced_processes(trace).values() if any(map(made_it, lines)))
    made = next(i for i, line in enumerate(lines) if made_it(line))
    handle = next(m.group(1) for line in lines[made:] if (m := re.search(r"CreateWindowEx hwnd (0x[0-9a-f]+)", line)))
    moves = [(int(flags, 16), int(style, 16)) for flags, style in re.findall(
        f"calc_winpos hwnd {handle},.* flags ([0-9a-f]+) .*style ([0-9a-f]+)", "\n".join(lines))]
    shown = (re.search(f"show_window hwnd={handle}, cmd=[1-9]", "\n".join(lines)) or int(re.search(
        r"style=([0-9a-f]+)", lines[made]).group(1), 16) & 0x10000000 or any(f & 0x40 or s & 0x10000000 for f, s in moves))
    return handle, bool(shown)


def watch_looks(lines):
    """Each look of the host's renderer watch, from the host's lines of a
    timestamped relay trace of user32.FindWindowA: (seconds on the program's
    clock, window found)."""
    stamps = [float(m.group(1)) for line in lines if (m := re.match(r"([\d.]+):Call user32\.FindWindowA", line))]
    found = [m.group(1) != "00000000" for line in lines
             if (m := re.match(r"[\d.]+:Ret  user32\.FindWindowA\(\) retval=([0-9a-f]+)", line))]
    return list(zip(stamps, found))


MUSIC = {
    "none": (0, "", False),
    "mp3": (2, "C:\\sorvane-run\\tune.mp3", True),
    "mp3-mixed-case": (2, "C:\\sorvane-run\\Tune.Mp3", True),
    "wav": (2, "C:\\sorvane-run\\loop.wav", True),
    "neither": (2, "C:\\sorvane-run\\tune.ogg", False),
    "cd": (1, "", False),
    "mp3-japanese": (2, "C:\\音楽\\ソナタ.mp3", True),
    "wav-japanese": (2, "C:\\表\\能.wav", True),
}


@pytest.mark.parametrize("music", MUSIC)
def test_a_full_screen_run_shows_the_stars_plays_the_music_and_ends_with_the_renderer(session, music):
    category, file, audible = MUSIC[music]
    folder = session.drive_c / RUN_FOLDER
    write_settings(folder, category, 0, file)
    textures = session.drive_c / "k_rova"
    textures.mkdir(exist_ok=True)
    # Older, larger files of the same names: the new pictures replace them whole.
    for name in ("Sorvane01.bmp", "Sorvane02.bmp"):
        (textures / name).write_bytes(b"\xAB" * 1_000_000)

    capture = session.record_sound(f"run-{music}")
    host, window = start_run(session, trace="+win")
    shown_at = capture.recorded_seconds()

    # The textures are the host's pictures as 24-bit bitmaps.
    star = rgb_of(textures / "Sorvane01.bmp")
    assert star == rgb_of(session.bin("../../../assets/star_field.bmp"))
    assert bmp_bit_count(textures / "Sorvane01.bmp") == 24
    assert rgb_of(textures / "Sorvane02.bmp") == (1, 1, b"\0\0\0")
    assert (textures / "Sorvane01.bmp").stat().st_size == 54 + 512 * 512 * 3
    assert (textures / "Sorvane02.bmp").stat().st_size == 54 + 4

    wait_until(lambda: session.screenshot(f"run-{music}").mean() > 0.01, what="the star field after the fade")
    if audible:
        wait_until(lambda: sum((b - a + 1) * SLICE for a, b in loud_spans(capture.loudness(SLICE))),
                   accept=lambda heard: heard > 3.0, what=f"3 s of the {music} music")
    else:
        # As long as music must be heard, from the renderer's window on.
        wait_until(capture.recorded_seconds, accept=lambda s: s >= shown_at + 3.0, what="3 s recorded")
    end_run_with_escape(session, window, host)
    record_past(capture)

    loudness = capture.loudness(SLICE)
    if audible:
        assert quiet_at_end(loudness), "the music went on after the run"
    else:
        assert not loud_spans(loudness), f"sound during a run with music '{music}'"
    # The saver form is there for the whole run, and never shown: the host
    # neither destroys it nor ends before the renderer's window goes.
    (form, shown), (renderer, _) = window_of(host.trace, SAVER_TITLE), window_of(host.trace, RENDERER_TITLE)
    assert not shown, "the saver form showed"
    text = host.trace.read_text(errors="replace")
    assert f"DestroyWindow ({form})" not in text[:text.index(f"DestroyWindow ({renderer})")], "the saver form went"


def test_the_renderer_killed_from_outside_ends_the_run_and_its_music(session):
    write_settings(session.drive_c / RUN_FOLDER, 2, 0, "C:\\sorvane-run\\loop.wav")
    capture = session.record_sound("run-killed")
    host = session.run(host_path(session), "/s")
    session.wait_for_window(RENDERER_TITLE)
    wait_until(lambda: capture.loud_seconds(LOUD, SLICE), accept=lambda s: s >= 1.0, what="1 s of the music")
    session.wintool("kill", RENDERER_TITLE)
    assert host.wait() == 0
    record_past(capture)
    assert quiet_at_end(capture.loudness(SLICE)), "the music went on after the run"


def test_a_second_start_during_a_run_ends_at_once(session):
    write_settings(session.drive_c / RUN_FOLDER, 0, 0, "")
    host, window = start_run(session)
    second = session.run(host_path(session), "/s")
    assert second.wait() == 0
    assert host.running()
    assert len(session.visible_windows(RENDERER_TITLE)) == 1
    end_run_with_escape(session, window, host)


def test_a_glu32_planted_beside_the_programs_never_runs(session):
    """The zip's programs often lie in Downloads, where anybody's download
    lands: a DLL there that is not one of Windows' Known DLLs would be loaded
    in place of the system's, at every run. Wine takes its own winmm and
    msimg32 whatever lies there, so for those the trace shows that each
    program limits the search to the system folder before it loads them."""
    folder = session.drive_c / RUN_FOLDER
    write_settings(folder, 0, 0, "")
    planted, mark = folder / "glu32.dll", folder / "planted-dll-loaded"
    shutil.copy(session.probe("planted/glu32.dll"), planted)
    try:
        with session.relay_trace("kernel32.SetDefaultDllDirectories;kernelbase.SetDefaultDllDirectories"):
            host, window = start_run(session, trace="+relay,+loaddll")
            pids = [session.wintool("pid", title) for title in (SAVER_TITLE, RENDERER_TITLE)]
            wait_until(lambda: session.screenshot("planted-dll").mean() > 0.01, what="the star field")
            end_run_with_escape(session, window, host)
        assert not mark.exists(), "the planted glu32.dll ran inside Sorvane"
    finally:
        planted.unlink()
        mark.unlink(missing_ok=True)
    for pid, late in zip(pids, ("winmm.dll", "opengl32.dll")):
        lines = traced_processes(host.trace)[int(pid)]
        limited = [i for i, line in enumerate(lines) if re.search(r"SetDefaultDllDirectories\(00000800\)", line)]
        loaded = [i for i, line in enumerate(lines) if re.search(r"loaddll:.*Loaded L\"[^\"]*" + late, line, re.I)]
        assert limited and loaded and limited[0] < loaded[0], f"{late} loaded before the search was limited"


@pytest.mark.parametrize("link", ["work folder", "picture"])
def test_nothing_is_written_through_a_link_in_the_work_folder(session, link):
    """Any account may make C:\\k_rova, and make it or its pictures links onto
    a user's files: a run leaves those files as they were."""
    work, aside, users = (session.drive_c / name for name in ("k_rova", "k_rova-aside", "users-files"))
    users.mkdir()
    for name, colour in (("Sorvane01.bmp", (200, 40, 40)), ("Sorvane02.bmp", (0, 0, 0))):
        write_bmp24(users / name, 4, 4, lambda x, y, colour=colour: colour)
    before = {path.name: path.read_bytes() for path in users.iterdir()}
    work.mkdir(exist_ok=True)
    work.rename(aside)
    try:
        if link == "work folder":
            work.symlink_to(users, target_is_directory=True)
        else:
            shutil.copytree(aside, work)
            (work / "Sorvane01.bmp").unlink()
            (work / "Sorvane01.bmp").symlink_to(users / "Sorvane01.bmp")
        write_settings(session.drive_c / RUN_FOLDER, 0, 0, "")
        host, window = start_run(session)
        end_run_with_escape(session, window, host)
        assert {path.name: path.read_bytes() for path in users.iterdir()} == before
    finally:
        if work.is_symlink():
            work.unlink()
        shutil.rmtree(work, ignore_errors=True)
        aside.rename(work)
        shutil.rmtree(users)


def host_cursor_calls(session, arguments):
    """The host's own ShowCursor calls during a run, from Wine's cursor trace
    of the host process alone: a list of 0 (hide) and 1 (show)."""
    host, window = start_run(session, *arguments, trace="trace+cursor")
    pid = session.wintool("pid", SAVER_TITLE)
    end_run_with_escape(session, window, host)
    return [int(m.group(1)) for line in traced_processes(host.trace)[int(pid)]
            if (m := re.match(r"trace:cursor:NtUserShowCursor (\d)", line))]


def loaded_libraries(trace, pid=None):
    """The DLLs one process loaded, by file name in lower case, from Wine's
    loaddll trace of it; without a pid, the process traced first (the
    program the trace was asked for)."""
    processes = traced_processes(trace)
    lines = processes.get(int(pid), []) if pid is not None else next(iter(processes.values()), [])
    return {m.group(1).replace("\\\\", "\\").rsplit("\\", 1)[-1].lower() for line in lines
            if (m := re.match(r'trace:loaddll:\S+ Loaded L"([^"]+)"', line))}


DIALOG_ONLY_LIBRARIES = {"comdlg32.dll", "shell32.dll"}


def test_a_run_loads_neither_the_file_dialog_nor_the_shell(session):
    write_settings(session.drive_c / RUN_FOLDER, 0, 0, "")
    host, window = start_run(session, trace="+loaddll")
    pid = session.wintool("pid", SAVER_TITLE)
    end_run_with_escape(session, window, host)
    loaded = loaded_libraries(host.trace, pid)
    assert "user32.dll" in loaded, "the trace shows no libraries at all"
    assert not loaded & DIALOG_ONLY_LIBRARIES


def test_the_host_hands_the_renderer_the_foreground_and_the_renderer_has_the_keyboard(session):
    write_settings(session.drive_c / RUN_FOLDER, 0, 0, "")
    with session.relay_trace("user32.AllowSetForegroundWindow"):
        host, window = start_run(session, trace="+relay")
        renderer_pid = session.wintool("pid", RENDERER_TITLE)
        # On Windows only the program started as the screen saver may give
        # the foreground away; the renderer gets it from the host.
        wait_until(lambda: session.foreground() == RENDERER_TITLE, what="the renderer in the foreground")
        assert session.wintool("focus", RENDERER_TITLE).split()[-1] == "OpenGL"
        end_run_with_escape(session, window, host)
    allowed = re.findall(r"Call user32\.AllowSetForegroundWindow\(([0-9a-f]+)\)",
                         host.trace.read_text(errors="replace"))
    assert [int(a, 16) for a in allowed] == [int(renderer_pid)]


def test_a_window_that_takes_the_foreground_during_the_run_gives_the_keyboard_back(session):
    """Past the user's idle time-out any program may take the foreground (an
    updater, a chat message overnight); Escape must still end the run."""
    write_settings(session.drive_c / RUN_FOLDER, 0, 0, "")
    with session.relay_trace("user32.KillTimer"):
        host, window = start_run(session, trace="+relay")
    wait_until(lambda: session.foreground() == RENDERER_TITLE, what="the renderer in the foreground")
    # Past the asking at the start of the run: the renderer has stopped its
    # timer of tries (id 1 on its window; the host's timers have none).
    wait_until(lambda: re.search(r"Call user32\.KillTimer\((?!00000000)[0-9a-f]+,00000001\)",
                                 host.trace.read_text(errors="replace")), what="the renderer's asking at its start over")
    with session.relay_trace("user32.SetForegroundWindow"):
        intruder = session.run(session.probe("window_probe.exe"), "an updater", trace="+relay")
        wait_until(lambda: re.search(r"Ret  user32\.SetForegroundWindow", intruder.trace.read_text(errors="replace"),
                                     re.I), what="the other program taking the foreground")
    wait_until(lambda: session.foreground() == RENDERER_TITLE, what="the renderer in front again")
    assert host.running()
    end_run_with_escape(session, window, host)
    intruder.kill()
    session.wait_for_no_window("an updater")


def test_the_cursor_is_hidden_once_and_shown_once(session):
    write_settings(session.drive_c / RUN_FOLDER, 0, 0, "")
    assert host_cursor_calls(session, ["/s"]) == [0, 1]


def test_a_renderer_slow_to_show_its_window_does_not_end_the_run(session):
    with session.installed("sorvane-slow", renderer=session.probe("slow_renderer.exe")) as folder, \
            session.relay_trace("user32.FindWindowA"):
        # Its window about 2 s after the start: the host's watch looks at it
        # twice, and the run goes on.
        host, window = start_run(session, program=folder / "Sorvane.scr", trace="+timestamp,+relay")
        wait_until(lambda: not host.running() or [f for _, f in watch_looks(host_lines(host)) if f][1:],
                   what="the host's watch to find the window twice")
        end_run_with_escape(session, window, host)


POLL = "status cdaudio current track"


def cd_run(session, mode, enough, what):
    """A full-screen run with a scripted CD drive (track 3 to repeat), ended
    with Escape once enough(the drive's commands, the host's trace lines)
    holds: the drive's commands as (ms on the drive's clock, text) and the
    host's lines of a timestamped relay trace of its timers and its watch."""
    with session.installed("sorvane-cd-run", host=session.probe("host_probe.exe")) as folder, \
            session.relay_trace("user32.SetTimer;user32.FindWindowA"):
        write_settings(folder, 1, 3, "")
        host = session.run(folder / "host_probe.exe", mode, cwd=folder, trace="+timestamp,+relay")
        window = session.wait_for_window(RENDERER_TITLE)
        log = folder / "cd-commands.txt"

        def commands():
            lines = log.read_text(encoding="cp932").splitlines() if log.exists() else []
            return [(int(ms), text) for ms, text in (line.split(" ", 1) for line in lines if " " in line)]

        wait_until(lambda: enough(commands(), host_lines(host)), what=what)
        end_run_with_escape(session, window, host)
        return commands(), host_lines(host)


def test_a_run_with_a_cd_repeats_its_track_every_poll_and_closes_the_drive_at_the_end(session):
    commands, lines = cd_run(session, "cd-run", lambda c, _: [t for _, t in c].count(POLL) >= 10 and len(
        [t for _, t in c if t.startswith("play")]) >= 3, "ten polls and three plays")
    texts = [text for _, text in commands]
    assert texts[:2] == ["open cdaudio", "set cdaudio time format tmsf"]
    # The poll's timer asks for every 200 ms, and no poll comes faster by the
    # drive's own clock.
    intervals = [int(i, 16) for i in re.findall(r"Call user32\.SetTimer\(0+,0+,([0-9a-f]+),", "\n".join(lines))]
    assert 200 in intervals, intervals
    polls = [ms for ms, text in commands if text == POLL]
    gaps = sorted(b - a for a, b in zip(polls, polls[1:]))
    assert gaps[len(gaps) // 2] >= 150, f"the poll is not every 200 ms: {gaps}"
    # Track 3 at the first poll (the drive was on 1), and again each time the
    # disc has moved on to track 4: a loop of one track.
    assert {t for t in texts if t.startswith("play")} == {"play cdaudio from 3:00:00:00"}, texts
    assert texts[-2:] == ["stop cdaudio", "close cdaudio"]


def test_a_cd_poll_that_fails_stops_the_polls_and_the_drive_is_not_closed(session):
    looks_when_failed = []

    def failed_a_while_ago(commands, lines):
        """The sixth poll made, and the host's watch has looked three times (1.5 s of the host's clock) since."""
        if [t for _, t in commands].count(POLL) < 6:
            return False
        looks_when_failed[:] = looks_when_failed or [len(watch_looks(lines))]
        return len(watch_looks(lines)) >= looks_when_failed[0] + 3

    commands, _ = cd_run(session, "cd-fails", failed_a_while_ago, "the sixth poll and three looks of the watch since")
    texts = [text for _, text in commands]
    # Five answered polls, the sixth refused, then no more.
    assert texts.count(POLL) == 6, texts
    assert texts[-1] == POLL
    assert "close cdaudio" not in texts


# Stand-ins for Sorvane.dll: none starts (a text file), one ends at once
# without a window (wintool with no arguments), one stays alive with a window
# of another title (window_probe with no arguments).
RENDERERS = {"cannot start": None, "ends without a window": "wintool.exe", "alive without the window": "window_probe.exe"}
ALLOWANCE = 15.0  # seconds from the renderer's start


def test_a_music_file_slow_to_open_leaves_the_renderer_its_whole_allowance(session):
    # The music device takes 12 s to open; the renderer shows its window 5 s
    # after it starts: 17 s from the host's start, 5 s of the renderer's 15.
    with session.installed("sorvane-slow-music", host=session.probe("host_probe.exe"),
                           renderer=session.probe("slower_renderer.exe")) as folder:
        (folder / "tune.mp3").write_bytes(b"ID3")
        write_settings(folder, 2, 0, "C:\\sorvane-slow-music\\tune.mp3")
        try:
            with session.relay_trace("user32.FindWindowA"):
                host = session.run(folder / "host_probe.exe", "slow-music", trace="+timestamp,+relay")
            window = session.wait_for_window(RENDERER_TITLE)
            wait_until(lambda: not host.running() or any(f for _, f in watch_looks(host_lines(host))),
                       what="the host's watch to find the window")
            assert host.running(), "the run ended before the renderer's window came"
            assert session.find_window(SAVER_TITLE) is not None
            end_run_with_escape(session, window, host)
        finally:
            session.run_to_end(session.probe("wintool.exe"), "kill", RENDERER_TITLE)


@pytest.mark.parametrize("renderer", RENDERERS)
def test_a_run_without_the_renderers_window_ends_when_the_renderer_is_gone_or_after_15_s(session, renderer):
    probe = RENDERERS[renderer]
    with session.installed("sorvane-no-window", renderer=session.probe(probe) if probe else False) as folder, \
            session.relay_trace("user32.FindWindowA;kernel32.CreateProcessA;kernelbase.CreateProcessA;"
                                "kernel32.ExitProcess"):
        if not probe:
            (folder / "Sorvane.dll").write_text("not a program")
        write_settings(folder, 0, 0, "")
        try:
            host = session.run(folder / "Sorvane.scr", "/s", trace="+timestamp,+relay")
            assert host.wait() == 0
        finally:
            session.run_to_end(session.probe("wintool.exe"), "kill", "window_probe")
    # When the watch's looks came, on the host's clock, against the renderer's
    # start and end.
    processes = list(traced_processes(host.trace).values())
    looks = [at for at, _ in watch_looks(processes[0])]
    started = next(float(line.split(":")[0]) for line in processes[0] if re.search(r"Ret  \w+\.CreateProcessA", line))
    if renderer == "cannot start":
        assert len(looks) == 1, f"the run did not end at the watch's first look: {looks}"
    elif renderer == "ends without a window":
        # The one process besides the host that ended (Wine's own stay).
        ended = next(float(line.split(":")[0]) for lines in processes[1:] for line in lines
                     if re.search(r"Call \w+\.ExitProcess", line))
        assert 1 <= len([at for at in looks if at >= ended]) <= 2, f"looks {looks}, the renderer gone at {ended}"
    else:
        # The look that ends the run is the first one past the allowance.
        assert looks[-2] - started < ALLOWANCE <= looks[-1] - started + 0.01, f"looks {looks} from {started}"


# --- The preview -----------------------------------------------------------

PANE_AT = (100, 100)


def start_pane(session, title, size, at=PANE_AT):
    pane = session.run(session.probe("window_probe.exe"), title, "--size", f"{size[0]}x{size[1]}",
                       "--at", f"{at[0]},{at[1]}")
    session.wait_for_window(title)
    handle = session.find_window(title)
    return pane, handle


def close_pane(session, title):
    """Closes the pane as the desktop's dialog does: its window is destroyed."""
    wm_close = 0x0010
    session.run_to_end(session.probe("wintool.exe"), "send", title, str(wm_close), "0", "0")


def preview_in(session, pane_title):
    """(left, top, width, height, visible, child style, popup style) of the
    preview form inside the pane, or None."""
    code, out = session.run_to_end(session.probe("wintool.exe"), "child", pane_title, "Preview Window")
    return tuple(int(v) for v in out.split()) if code == 0 else None


def test_previews_cover_their_panes_and_end_when_the_panes_go(session):
    # What the preview draws is checked in-process by the unit tests: Wine
    # does not show a child window painted by another process.
    pane, handle = start_pane(session, "pane exact", (152, 112))
    big_pane, big_handle = start_pane(session, "pane large", (200, 150), at=(400, 100))
    with session.relay_trace("user32.GetWindowDpiAwarenessContext;user32.SetThreadDpiAwarenessContext"):
        preview = session.run(host_path(session), "/p", str(handle), trace="+relay")
    second = session.run(host_path(session), f"/p:{big_handle}")
    wait_until(lambda: preview_in(session, "pane exact") and preview_in(session, "pane large"),
               what="both previews in their panes")
    # A true child: no popup bit left beside the child bit.
    assert preview_in(session, "pane exact") == (0, 0, 152, 112, 1, 1, 0)
    assert preview_in(session, "pane large") == (0, 0, 200, 150, 1, 1, 0)
    assert preview.running() and second.running()
    # The pane's DPI awareness asked for and taken before the form is made.
    calls = re.findall(r"Call user32\.(\w+)\(([0-9a-f]+)\)", preview.trace.read_text(errors="replace"))
    assert [name for name, _ in calls[:2]] == ["GetWindowDpiAwarenessContext", "SetThreadDpiAwarenessContext"], calls
    assert int(calls[0][1], 16) == handle

    close_pane(session, "pane exact")
    assert pane.wait() == 7
    assert preview.wait() == 0, "the preview outlived its pane"
    assert second.running()
    close_pane(session, "pane large")
    assert big_pane.wait() == 7
    assert second.wait() == 0


def test_a_preview_plays_no_music_whatever_the_settings_choose(session):
    write_settings(session.drive_c / RUN_FOLDER, 2, 0, f"C:\\{RUN_FOLDER}\\loop.wav")
    pane, handle = start_pane(session, "pane silent", (152, 112))
    capture = session.record_sound("preview")
    preview = session.run(host_path(session), "/p", str(handle))
    wait_until(lambda: preview_in(session, "pane silent"), what="the preview in its pane")
    record_past(capture, 3.0)
    close_pane(session, "pane silent")
    assert preview.wait() == 0
    pane.wait()
    assert max(capture.loudness(SLICE) or [0.0]) <= LOUD, "the preview played the music"


def test_a_preview_loads_neither_the_file_dialog_nor_the_shell(session):
    pane, handle = start_pane(session, "pane traced", (152, 112))
    preview = session.run(host_path(session), "/p", str(handle), trace="+loaddll")
    wait_until(lambda: preview_in(session, "pane traced"), what="the preview in its pane")
    close_pane(session, "pane traced")
    assert preview.wait() == 0
    pane.wait()
    loaded = loaded_libraries(preview.trace)
    assert "user32.dll" in loaded, "the trace shows no libraries at all"
    assert not loaded & DIALOG_ONLY_LIBRARIES


def test_a_pane_gone_between_its_check_and_the_embedding_ends_the_preview(session):
    # The probe's own pane goes while the preview form is being made, after
    # the host has found it a window: the preview must not stay a stray
    # top-level picture.
    probe = session.run(session.probe("host_probe.exe"), "pane-gone")
    # The preview form lives in this process: it would keep the process alive.
    assert probe.wait() == 0


@pytest.mark.parametrize("arguments", [["/p"], ["/p", "0"], ["/p", "999999"]], ids=" ".join)
def test_a_preview_without_a_pane_ends_at_once(session, arguments):
    # A preview form left standing would keep the process alive.
    assert session.run(host_path(session), *arguments).wait() == 0


# --- Several monitors --------------------------------------------------------

def test_a_run_on_two_monitors_keeps_the_second_black_and_ends_on_escape_after_a_click_there():
    with Session(monitors=((1024, 768), (800, 600))) as session, session.installed("sorvane-monitors") as folder:
        write_settings(folder, 0, 0, "")
        left_open = session.run(session.probe("window_probe.exe"), "left open", "--size", "800x600",
                                "--at", "1024,0")
        session.wait_for_window("left open")
        # A window mapped may not be drawn yet: the second monitor shows it once it is.
        shows_left_open = lambda name: session.screenshot(name).mean(1024, 0, 800, 600) > 0.3
        wait_until(lambda: shows_left_open("monitors-before"), what="the window left open drawn")

        host = session.run(folder / "Sorvane.scr", "/s")
        window = session.wait_for_window(RENDERER_TITLE)
        session.focus(window)  # as a window manager would
        shot = wait_until(lambda: session.screenshot("monitors-run"), accept=lambda shot: shot.mean(0, 0, 1024, 768) > 0.004,
                          what="the star field on the primary")
        assert shot.mean(1024, 0, 800, 600) == 0.0, "the second monitor shows the window left open"

        session.click(1424, 300)
        wait_until(lambda: session.foreground() == RENDERER_TITLE, what="the renderer still in front after the click")
        session.key("Escape")  # to whatever X now gives the keys to
        assert host.wait() == 0
        assert session.find_window(RENDERER_TITLE) is None
        # Nothing of the renderer stays: what was left open shows again.
        wait_until(lambda: shows_left_open("monitors-after"), what="the window left open drawn again")
        assert left_open.running()
        left_open.kill()
