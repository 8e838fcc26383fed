"""The harness itself: it must see, drive, hear and end a real Windows program
under Wine, or every end-to-end test built on it proves nothing."""
import subprocess

import pytest

from harness import EXPLORER_KEY, Session, set_user_value, wait_until

PROBE_TITLE = "Sorvane harness probe"
PROBE_ESCAPE_EXIT_CODE = 7
RED, GREEN = (255, 0, 0), (0, 255, 0)


@pytest.fixture
def session():
    with Session() as s:
        yield s


def test_a_program_is_seen_clicked_and_ended_by_a_key(session):
    probe = session.run(session.probe("window_probe.exe"), PROBE_TITLE)
    session.wait_for_window(PROBE_TITLE)

    assert session.find_window(PROBE_TITLE) is not None
    left, top, width, height = session.client_rect(PROBE_TITLE)
    assert (width, height) == (200, 150)
    centre = (left + width // 2, top + height // 2)
    assert session.screenshot("probe-red").pixel(*centre) == RED

    session.click(*centre)
    session.wait_for_window(PROBE_TITLE)
    assert session.screenshot("probe-green").pixel(*centre) == GREEN

    session.key("Escape")
    assert probe.wait() == PROBE_ESCAPE_EXIT_CODE
    assert session.find_window(PROBE_TITLE) is None
    assert session.visible_windows(PROBE_TITLE) == []


def test_a_program_that_does_not_end_is_reported_and_killed(session):
    probe = session.run(session.probe("window_probe.exe"), PROBE_TITLE)
    session.wait_for_window(PROBE_TITLE)
    with pytest.raises(TimeoutError):
        probe.wait(1)
    assert not probe.running()


def test_the_display_has_the_size_asked_for():
    with Session(width=800, height=600) as small:
        shot = small.screenshot("small-display")
        assert (shot.width, shot.height) == (800, 600)
        assert shot.mean() == 0.0


def test_what_a_program_plays_is_recorded_and_silence_after_it_ends():
    with Session(sound=True) as session:
        capture = session.record_sound("tone")
        probe = session.run(session.probe("window_probe.exe"), PROBE_TITLE, "--tone")
        window = session.wait_for_window(PROBE_TITLE)
        wait_until(capture.loud_seconds, accept=lambda s: s >= 2.0, what="two loud seconds recorded")
        session.focus(window)
        session.key("Escape")
        assert probe.wait() == PROBE_ESCAPE_EXIT_CODE
        ended = capture.recorded_seconds()
        wait_until(capture.recorded_seconds, accept=lambda s: s >= ended + 1.5,
                   what="1.5 s more recorded after the end")
        capture.stop()
        assert max(capture.loudness()[-5:]) < 0.01, "sound went on after the program ended"


def test_without_a_sound_server_nothing_is_recorded_or_spawned():
    with Session(sound=False) as session:
        with pytest.raises(RuntimeError):
            session.record_sound()


def test_a_session_starts_from_the_prefix_as_a_new_one_has_it_whatever_a_killed_run_left():
    # A run killed by a timeout leaves what its finally blocks would undo.
    with Session() as first:
        prefix, env = first.prefix, first.env
    subprocess.run(["wineserver", "-w"], env=env, check=False)
    set_user_value(prefix, "[Control Panel\\\\Desktop]", "LogPixels", "144")
    set_user_value(prefix, EXPLORER_KEY, "Desktop", "left-behind")
    left = prefix / "drive_c" / "音楽 left behind"
    left.mkdir()
    (prefix / "drive_c" / "k_rova").mkdir(exist_ok=True)
    with Session() as session:
        registry = (session.prefix / "user.reg").read_text(encoding="utf-8")
        assert '"LogPixels"=dword:00000060' in registry and '"left-behind"' not in registry
        assert not left.exists()
        assert (session.drive_c / "k_rova").is_dir(), "the programs' own work folder stays"
