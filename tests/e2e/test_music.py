"""The host's music routines playing for real under Wine, judged by what a
recorded sound device heard: an MP3 through MCI's MPEGVideo that loops, a WAV
that loops through PlaySoundA, silence after each is stopped; no wave device
means nothing plays; no CD drive means the first poll fails."""
import pathlib
import re
import subprocess

import pytest

from harness import Session

SLICE = 0.05  # seconds of sound per loudness reading
LOUD = 0.02   # RMS of full scale above which a slice counts as sound
MUSIC_FOLDER = "sorvane music"


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


def test_an_mp3_loops_with_the_repeat_timer_and_stops_when_closed(session):
    # A path with spaces and Japanese characters (code page 932 in the host).
    path = music_file(session, "夜空 の 音.mp3", 1.5, 660)
    capture = session.record_sound("mp3")
    code, printed = session.run_to_end(session.probe("music_probe.exe"), "mp3", path, "6", timeout=40)
    capture.stop()
    assert code == 0, printed

    loudness = capture.loudness(SLICE)
    spans = loud_spans(loudness)
    assert spans, "the MP3 was never heard"
    first, last = spans[0][0], spans[-1][1]
    heard = (last - first + 1) * SLICE
    assert len(spans) >= 2 and heard > 3.0, f"no loop: heard {heard:.2f} s in {len(spans)} run(s)"
    gaps = [(b[0] - a[1] - 1) * SLICE for a, b in zip(spans, spans[1:])]
    (session.output / "mp3-loop-gaps.txt").write_text(
        "gaps between loops of a 1.5 s MP3 with RepeatMp3Music every 1000 ms (s): "
        + ", ".join(f"{g:.2f}" for g in gaps) + "\n")
    print("MP3 loop gaps (s):", gaps)
    assert max(loudness[last + 1:] or [0.0]) <= LOUD
    assert (len(loudness) - 1 - last) * SLICE > 1.0, "sound went on after CloseMp3Music"


def test_a_wav_loops_until_stopped(session):
    path = music_file(session, "波 の 音.wav", 1.0, 440)
    capture = session.record_sound("wav")
    code, printed = session.run_to_end(session.probe("music_probe.exe"), "wav", path, "4", timeout=30)
    capture.stop()
    assert code == 0
    assert "playing LastApiResult=1 " in printed, printed

    spans = loud_spans(capture.loudness(SLICE))
    assert spans
    heard = (spans[-1][1] - spans[0][0] + 1) * SLICE
    assert heard > 3.0, f"a 1 s WAV played only {heard:.2f} s in a 4 s run: it did not loop"
    assert (len(capture.loudness(SLICE)) - 1 - spans[-1][1]) * SLICE > 1.0, "sound went on after StopWaveMusic"


def test_a_wav_it_cannot_play_is_asked_for_without_the_default_sound_and_stays_silent(session):
    folder = session.drive_c / MUSIC_FOLDER
    folder.mkdir(exist_ok=True)
    (folder / "broken.wav").write_bytes(b"RIFF\x10\x00\x00\x00WAVEjunkjunkjunk")
    capture = session.record_sound("broken-wav")
    with session.relay_trace("winmm.PlaySoundA"):
        probe = session.run(session.probe("music_probe.exe"), "wav", f"C:\\{MUSIC_FOLDER}\\broken.wav", "3",
                            trace="+relay")
        assert probe.wait(30) == 0
    capture.stop()
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
        probe = session.run(session.probe("music_probe.exe"), "mp3", path, "1", trace="+relay")
        assert probe.wait(40) == 0
    capture = session.record_sound("long-path-mp3")
    code, printed = session.run_to_end(session.probe("music_probe.exe"), "mp3", path, "3", timeout=40)
    capture.stop()
    assert code == 0, printed
    opened = re.findall(r'Call winmm\.mciSendStringA\([0-9a-f]+ "open \\"(.*?)\\" type MPEGVideo',
                        probe.trace.read_text(encoding="cp932", errors="replace"))
    assert len(opened) == 1 and len(opened[0]) < 128, opened
    assert loud_spans(capture.loudness(SLICE)), "the MP3 was never heard"


def test_without_a_wave_device_the_wav_plays_nothing_and_changes_nothing():
    with Session(sound=False) as silent:
        path = music_file(silent, "silent.wav", 1.0, 440)
        code, printed = silent.run_to_end(silent.probe("music_probe.exe"), "wav", path, "1", timeout=30)
        assert code == 0
        assert "playing LastApiResult=12345 " in printed, printed


def test_without_a_cd_drive_the_first_poll_fails_and_nothing_plays(session):
    capture = session.record_sound("cd")
    code, printed = session.run_to_end(session.probe("music_probe.exe"), "cd", timeout=30)
    capture.stop()
    assert code == 0
    assert "CdPollOk=0 " in printed, printed
    assert capture.loud_seconds(threshold=LOUD) == 0
