"""The host's music routines playing for real under Wine, judged by what a
recorded sound device heard: an MP3 through MCI's MPEGVideo that loops, a WAV
that loops through PlaySoundA, silence after each is stopped; no wave device
means nothing plays; no CD drive means the first poll fails."""
import pathlib
import re
import subprocess

import pytest

from harness import Session, wait_until

SLICE = 0.05  # seconds of sound per loudness reading
LOUD = 0.02   # RMS of full scale above which a slice counts as sound
MUSIC_FOLDER = "sorvane music"
# Seconds recorded after the probe's end, on the recording's own clock, and
# how much of their end must be silent.
AFTER, QUIET = 1.5, 1.0


def make_tone(path, seconds, frequency):
    """A stereo sine tone at half scale: a WAV file, or an MP3 made with lame."""
    synth = ["sox", "-n", "-r", "44100", "-c", "2", "-b", "16"]
    tone = ["synth", str(seconds), "sine", str(frequency), "vol", "0.5"]
    if path.suffix == ".wav":
        subprocess.run(synth + [str(path)] + tone, check=True)
    else:
        wav = subprocess.run(synth + ["-t", "wav", "-"] + tone, check=True, capture_output=True).stdout
        subprocess.run(["lame", "--quiet", "-b", "128", "-", str(path)], input=wav, check=True)


def loud_spans(loudness):
    """(first, last) slice indexes of each run of loud slices."""
    spans, start = [], None
    for i, level in enumerate(loudness + [0.0]):
        if level > LOUD and start is None:
            start = i
        elif level <= LOUD and start is not None:
            spans.append((start, i - 1))
            start = None
    return spans


def heard_seconds(spans):
    """From the first loud slice to the last, in seconds."""
    return (spans[-1][1] - spans[0][0] + 1) * SLICE if spans else 0.0


def quiet_at_end(loudness):
    """Whether the last QUIET seconds of the recording are silent."""
    return max(loudness[-int(QUIET / SLICE):] or [0.0]) <= LOUD


def record_past(capture, seconds=AFTER):
    """Stops the recording once it holds that many seconds more, by its own clock."""
    now = capture.recorded_seconds()
    wait_until(capture.recorded_seconds, accept=lambda s: s >= now + seconds, what=f"{seconds} s more recorded")
    capture.stop()


def music_file(session, name, seconds, frequency):
    folder = session.drive_c / MUSIC_FOLDER
    folder.mkdir(exist_ok=True)
    path = folder / name
    make_tone(path, seconds, frequency)
    return "C:\\" + MUSIC_FOLDER + "\\" + name


@pytest.fixture(scope="module")
def session():
    with Session(sound=True) as s:
        yield s


def play(session, kind, path, accept=bool, what="the music", listen=None, trace=None):
    """music_probe playing a file ("mp3" or "wav"), once it says it plays,
    until accept() takes what listen(capture, recorded seconds then) gives
    (the recording's loud spans unless told); then stopped, AFTER seconds
    more recorded before the probe ends: (the capture or None, what the probe
    printed, the probe)."""
    stop = session.drive_c / MUSIC_FOLDER / "stop"
    stop.parent.mkdir(exist_ok=True)
    stop.unlink(missing_ok=True)
    capture = session.record_sound(kind) if session.sound else None
    probe = session.run(session.probe("music_probe.exe"), kind, path, f"C:\\{MUSIC_FOLDER}\\stop",
                        output=True, trace=trace)
    printed = lambda: probe.output.read_text(encoding="utf-8", errors="replace")
    wait_until(lambda: "playing " in printed(), what="the probe to start playing")
    if capture:
        since, listen = capture.recorded_seconds(), listen or (lambda c, _: loud_spans(c.loudness(SLICE)))
        wait_until(lambda: listen(capture, since), accept=accept, what=what)
    stop.touch()
    wait_until(lambda: "stopped " in printed(), what="the probe to stop the music")
    if capture:
        record_past(capture)
    stop.unlink()
    assert probe.wait() == 0, printed()
    return capture, printed(), probe


def test_an_mp3_loops_with_the_repeat_timer_and_stops_when_closed(session):
    # A path with spaces and Japanese characters (code page 932 in the host).
    path = music_file(session, "夜空 の 音.mp3", 1.5, 660)
    capture, _, _ = play(session, "mp3", path, lambda spans: len(spans) >= 2 and heard_seconds(spans) > 3.0,
                         "a loop: two runs of sound over 3 s")
    loudness = capture.loudness(SLICE)
    spans = loud_spans(loudness)
    gaps = [(b[0] - a[1] - 1) * SLICE for a, b in zip(spans, spans[1:])]
    (session.output / "mp3-loop-gaps.txt").write_text(
        "gaps between loops of a 1.5 s MP3 with RepeatMp3Music every 1000 ms (s): "
        + ", ".join(f"{g:.2f}" for g in gaps) + "\n")
    print("MP3 loop gaps (s):", gaps)
    assert quiet_at_end(loudness), "sound went on after CloseMp3Music"


def test_a_wav_loops_until_stopped(session):
    path = music_file(session, "波 の 音.wav", 1.0, 440)
    # Over 3 s of a 1 s WAV: it loops.
    capture, printed, _ = play(session, "wav", path, lambda spans: heard_seconds(spans) > 3.0, "3 s of the WAV")
    assert "playing LastApiResult=1 " in printed, printed
    assert quiet_at_end(capture.loudness(SLICE)), "sound went on after StopWaveMusic"


def test_a_wav_it_cannot_play_is_asked_for_without_the_default_sound_and_stays_silent(session):
    (session.drive_c / MUSIC_FOLDER).mkdir(exist_ok=True)
    (session.drive_c / MUSIC_FOLDER / "broken.wav").write_bytes(b"RIFF\x10\x00\x00\x00WAVEjunkjunkjunk")
    with session.relay_trace("winmm.PlaySoundA"):
        capture, _, probe = play(session, "wav", f"C:\\{MUSIC_FOLDER}\\broken.wav", lambda s: s >= 3.0,
                                 "3 s recorded while it plays", lambda c, since: c.recorded_seconds() - since,
                                 trace="+relay")
    flags = re.findall(r"Call winmm\.PlaySoundA\([0-9a-f]+,[0-9a-f]+,([0-9a-f]+)\)",
                       probe.trace.read_text(errors="replace"))
    # SND_ASYNC | SND_NODEFAULT | SND_LOOP to play, then 0 to stop: never the
    # system's default sound in its place, looped for the whole run.
    assert [int(f, 16) for f in flags] == [0x0B, 0], flags
    assert max(capture.loudness(SLICE) or [0.0]) <= LOUD


def test_an_mp3_deep_in_japanese_folders_opens_by_its_short_name_and_plays(session):
    # About 200 characters: past what the open command takes.
    relative = "\\".join(["音楽のフォルダ" + "その" * 8 + str(i) for i in range(8)])
    folder = session.drive_c / pathlib.PureWindowsPath(relative).as_posix()
    folder.mkdir(parents=True, exist_ok=True)
    make_tone(folder / "深い夜空の音.mp3", 1.5, 550)
    path = "C:\\" + relative + "\\深い夜空の音.mp3"
    assert len(path) > 190
    with session.relay_trace("winmm.mciSendStringA"):
        _, printed, probe = play(session, "mp3", path, what="the MP3 heard", trace="+relay")
    opened = re.findall(r'Call winmm\.mciSendStringA\([0-9a-f]+ "open \\"(.*?)\\" type MPEGVideo',
                        probe.trace.read_text(encoding="cp932", errors="replace"))
    assert len(opened) == 1 and len(opened[0]) < 128, opened


def test_without_a_wave_device_the_wav_plays_nothing_and_changes_nothing():
    with Session(sound=False) as silent:
        _, printed, _ = play(silent, "wav", music_file(silent, "silent.wav", 1.0, 440))
        assert "playing LastApiResult=12345 " in printed, printed


def test_without_a_cd_drive_the_first_poll_fails_and_nothing_plays(session):
    capture = session.record_sound("cd")
    code, printed = session.run_to_end(session.probe("music_probe.exe"), "cd", timeout=30)
    capture.stop()
    assert code == 0
    assert "CdPollOk=0 " in printed, printed
    assert capture.loud_seconds(threshold=LOUD) == 0
