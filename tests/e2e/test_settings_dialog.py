"""The settings dialog of the real Sorvane.scr /c under Wine, driven with the
real mouse and keyboard: its place and look on the screen (the sine
gradients, the marks, controls at their places, a repaint after another
window), what it loads, choosing, typing and saving (the settings file's
bytes), cancelling and the close box, the open-file dialog, the link, the
single-instance rule, and the same look under code pages 932 and 1252."""
import math
import re
import shutil
import subprocess

import pytest

from harness import Session, pace, wait_until, windows_path
from settings_file import KEYS, SETTINGS_FILE_NAME, settings_bytes
from test_button import AMBER, border_blue, close, frame_sides

TITLE = "<Sorvane>"
OPEN_TITLE = "ﾌｧｲﾙを開く"
PRODUCT_TITLE = "Sorvane"     # the caption of the host's message boxes
CLIENT_SIZE = (496, 243)
BOX = (12, 16)          # the music box's client pixels in the dialog
BOX_SIZE = (469, 165)
FOLDER = "SorvaneSettingsTest"  # on drive C:, where the tests install Sorvane

# Client pixels of the controls, from their twips (15 to a pixel).
MARKS = {0: (28, 76), 1: (28, 56), 2: (28, 96)}           # top-left corners, in the box
NAMES = {0: (50, 82), 1: (56, 62), 2: (60, 102)}          # points on "なし", "音楽CD", "MP3、WAV"
NAME_CORNERS = {0: (44, 76), 1: (44, 56), 2: (44, 96)}    # the names' top-left corners, in the box
REPEAT_BOX = (132, 62)                                    # the combo box's text field, in the box
FILE_BUTTON_LEFT = (28, 116)                              # "...": its top-left corner and a point on it, in the box
FILE_BUTTON = (48, 126)
FILE_BUTTON_AT = (BOX[0] + FILE_BUTTON_LEFT[0], BOX[1] + FILE_BUTTON_LEFT[1])   # in the dialog
FILE_BOX = (72, 116)                                      # the file path's box: its top-left corner, in the box
SET_BUTTON, CANCEL_BUTTON = (362, 212), (442, 212)        # "設定" and "ｷｬﾝｾﾙ", in the dialog
# Each gradient button's band (left edge, halfway down): amber with the pointer over it, when a press clicks.
HOVER_BANDS = {SET_BUTTON: (326, 212), CANCEL_BUTTON: (406, 212), FILE_BUTTON: (30, 126)}
LINK = (40, 214)                                          # on the link, in the dialog
BACKGROUND = (280, 232)                                   # the dialog's own background, beside the buttons

SELECTED_MIDDLE, UNSELECTED_MIDDLE = (0, 84, 227), (250, 250, 252)
DISABLED_BUTTON_BAND = (245, 244, 234)


def sine_rows(height):
    k = height / 3.142
    return [round(abs(math.sin(y / k) * 220)) for y in range(height + 1)]


class Dialog:
    """A Sorvane.scr installed in its own folder of drive C:, its settings
    dialog open on the screen."""

    def __init__(self, session, folder):
        self.session = session
        self.folder = folder
        self.ini = folder / SETTINGS_FILE_NAME
        self.process = None

    def open(self, settings=None, trace=None, keyboard=False):
        """Opens the dialog, the settings file's bytes `settings` beside it when
        given; keyboard: the dialog given X's input focus, for the keys sent next."""
        if settings is not None:
            self.ini.write_bytes(settings)
        self.process = self.session.run(self.folder / "Sorvane.scr", "/c", trace=trace)
        # The program's own window first: X may still show the last dialog's
        # window for a moment after that program has ended.
        wait_until(lambda: self.session.find_window(TITLE), what="the settings dialog")
        self.xid = self.session.wait_for_window(TITLE)
        self.rect = self.session.client_rect(TITLE)
        self.wait_painted()
        if keyboard:
            self.session.focus(self.xid)
        return self

    def wait_painted(self):
        """Returns once two looks of the client area agree and show more than one colour: painted, none on its way."""
        looks = [look(self.session, self.rect)]
        steady = lambda now: looks.append(now) or looks[-2] == now != now[:3] * (len(now) // 3)
        wait_until(lambda: steady(look(self.session, self.rect)), what="the dialog painted")

    def wait_for_hover(self, button, in_box=False):
        band = self.at(HOVER_BANDS[button], in_box)
        wait_until(lambda: look(self.session, (*band, 1, 1)), accept=lambda c: close(c, AMBER), what=f"hover on {button}")

    def at(self, point, in_box=False):
        x, y = point
        if in_box:
            x, y = x + BOX[0], y + BOX[1]
        return self.rect[0] + x, self.rect[1] + y

    def click(self, point, in_box=False):
        """A click on a point; on a gradient button, once its band shows the pointer over it."""
        click_at(self.session, self.at(point, in_box), lambda: point in HOVER_BANDS and self.wait_for_hover(point, in_box))

    def choose(self, source, point=None):
        """A click on a source's name (or the point), and its mark and the track box showing it."""
        self.click(point or NAMES[source], in_box=True)
        wait_until(lambda: (marked(self, self.session.screenshot(f"chosen-{source}")), self.combo()[0]),
                   accept=lambda seen: seen == (source, source == 1), what=f"the source {source} chosen")

    def focus_track_box(self):
        self.click(REPEAT_BOX, in_box=True)
        self.session.focus(self.xid)
        wait_until(lambda: focused(self.session), accept=lambda f: f[1] == "Edit", what="the focus in the track box")

    def type_into_repeat_box(self, text):
        self.focus_track_box()
        self.session.key("ctrl+a", "BackSpace", "End", "shift+Home", "BackSpace")
        self.session.type_text(text)

    def choose_file(self, typed):
        """A click on "...", and the chooser given the typed name (Escape for None)."""
        self.click(FILE_BUTTON, in_box=True)
        choose_in_open_dialog(self.session, typed)

    def save(self):
        self.click(SET_BUTTON)
        assert self.process.wait() == 0
        return self.ini.read_bytes()

    def pixel(self, shot, point, in_box=False):
        return shot.pixel(*self.at(point, in_box))

    def combos(self, title=TITLE):
        """(enabled, text, items) of each combo box of a window."""
        out = self.session.wintool("combos", title)
        return [(f[0] == "1", f[1], f[2:]) for f in (line.split("|") for line in out.splitlines())]

    def combo(self):
        """The track box: the dialog's one combo box."""
        return self.combos()[0]

    def settle(self, source=1):
        """Returns once the dialog has handled every input sent before, by two later clicks whose
        effects show (another source chosen, then this one): a check that nothing happened follows it."""
        self.choose(0 if source else 1)
        self.choose(source)


@pytest.fixture(scope="module")
def session():
    with Session() as s:
        s.bind_characters("é♫")  # the names typed below, before any program reads the keyboard map
        yield s


@pytest.fixture
def dialog(session, tmp_path):
    with session.installed(FOLDER) as folder:
        d = Dialog(session, folder)
        yield d
        if d.process:
            d.process.kill()
        session.wait_for_no_window(TITLE)
        wait_until(lambda: not session.visible_windows(TITLE), what="the dialog's window to go from the screen")


def look(session, rect):
    """The RGB bytes the screen shows in a rectangle (left, top, width, height), without a picture file."""
    crop = "{2}x{3}+{0}+{1}".format(*rect)
    return subprocess.run(["import", "-silent", "-window", "root", "-crop", crop, "-depth", "8", "rgb:-"],
                          env=session.env, check=True, capture_output=True).stdout


def click_at(session, point, ready=lambda: None):
    """Moves onto a point as a hand does (Wine gives a jump's first motion to the window
    only with the next one), waits for ready(), and clicks there as long as a person does."""
    session.mouse_move(point[0] - 1, point[1])
    session.mouse_move(*point)
    ready()
    session.mouse_down()
    pace()
    session.mouse_up()


def marked(d, shot):
    """The source whose mark shows the blue middle, or None."""
    chosen = [i for i, (x, y) in MARKS.items() if d.pixel(shot, (x + 6, y + 6), True) == SELECTED_MIDDLE]
    return chosen[0] if len(chosen) == 1 else None


def test_place_gradients_marks_controls_and_repaint(dialog, session):
    d = dialog.open(settings_bytes(1, 12, ""))

    left, top, width, height = map(int, session.wintool("window", TITLE).split())
    assert (left, top) == ((1024 - width) // 2, (768 - height) // 3)
    assert session.client_rect(TITLE)[2:] == CLIENT_SIZE

    shot = session.screenshot("dialog")
    dialog_rows, box_rows = sine_rows(CLIENT_SIZE[1]), sine_rows(BOX_SIZE[1])
    for y in (0, 20, 60, 121, 200, 242):
        b = dialog_rows[y]
        assert d.pixel(shot, (4, y)) == (b, b, b + 30), f"dialog row {y}"
    for y in (0, 40, 82, 150, 164):
        g = box_rows[y] + 30
        assert d.pixel(shot, (4, y), True) == (g, g, g), f"box row {y}"
    assert marked(d, shot) == 1
    assert d.pixel(shot, (MARKS[0][0] + 6, MARKS[0][1] + 6), True) == UNSELECTED_MIDDLE
    # The title's black frame and the file box's border, at their places.
    assert d.pixel(shot, (20, 20), True) == (0, 0, 0)
    assert d.pixel(shot, FILE_BOX, True) == (0, 0, 0)
    assert d.combo() == (True, "12", [""] + [str(n) for n in range(1, 31)])
    subprocess.run(["convert", str(shot.path), "-crop", f"{width}x{height}+{left}+{top}", "+repage",
                    str(shot.path.with_name("settings-dialog.png"))], check=True)

    # Another window over the dialog, then gone: the same pixels come back.
    cover = session.run(session.probe("window_probe.exe"), "cover", "--size", "300x150",
                        "--at", f"{left + 60},{top + 40}")
    session.wait_for_window("cover")
    # A window that exists may not have been drawn yet: wait for it to show.
    under = d.at((121, 121))
    wait_until(lambda: session.screenshot("dialog-covered").pixel(*under) != shot.pixel(*under),
               what="the cover drawn over the dialog")
    cover.kill()
    session.wait_for_no_window("cover")
    # The focus went to the cover and, with no window manager to give it
    # back, stays away: so does its cue around "音楽CD", the one difference.
    cue = (BOX[0] + NAMES[1][0] - 16, BOX[1] + NAMES[1][1] - 10, BOX[0] + NAMES[1][0] + 40, BOX[1] + NAMES[1][1] + 10)
    points = [(x, y) for y in range(0, CLIENT_SIZE[1], 3) for x in range(0, CLIENT_SIZE[0], 5)
              if not (cue[0] <= x <= cue[2] and cue[1] <= y <= cue[3])]
    differ = lambda again: [p for p in points if d.pixel(again, p) != d.pixel(shot, p)]
    wait_until(lambda: differ(session.screenshot("dialog-uncovered")), accept=lambda seen: not seen,
               what="the dialog's own pixels back where the cover was")


@pytest.mark.parametrize("category, repeat_enabled, file_enabled", [(0, False, False), (2, False, True)])
def test_load_marks_the_category_and_enables_its_control(dialog, session, category, repeat_enabled, file_enabled):
    (music := dialog.folder / "tune.mp3").write_bytes(b"ID3")
    d = dialog.open(settings_bytes(category, 0, windows_path(music)))
    shot = session.screenshot(f"dialog-category-{category}")
    assert marked(d, shot) == category
    enabled, text, items = d.combo()
    assert (enabled, text, len(items)) == (repeat_enabled, "", 31)
    # The inner band of "..." at its left edge: the disabled picture's, or not.
    band = d.pixel(shot, (FILE_BUTTON_LEFT[0] + 2, FILE_BUTTON_LEFT[1] + 10), True)
    assert (band == DISABLED_BUTTON_BAND) != file_enabled


def test_every_mark_and_name_chooses_and_saving_writes_the_choice(dialog, session):
    d = dialog.open()
    for source, point in [(1, (MARKS[1][0] + 6, MARKS[1][1] + 6)), (2, NAMES[2]), (0, NAMES[0]),
                          (2, (MARKS[2][0] + 6, MARKS[2][1] + 6)), (1, NAMES[1]),
                          (0, (MARKS[0][0] + 6, MARKS[0][1] + 6)), (2, NAMES[2])]:
        d.choose(source, point)
    # A new file: the three keys in order, the category chosen, no file.
    assert d.save() == settings_bytes(2, 0, "")


@pytest.mark.parametrize("typed, saved", [("7", 7), ("ab", 0), ("", 0), ("2.5", 2), ("3.5", 4), ("99999", 0)])
def test_the_typed_track_is_saved_rounded_half_to_even(dialog, session, typed, saved):
    other = b"; the user's own note\r\n[Other]\r\nkey=value\r\n"
    d = dialog.open(other + settings_bytes(1, 5))
    assert d.combo()[1] == "5"
    d.type_into_repeat_box(typed)
    wait_until(lambda: d.combo()[1], accept=lambda text: text == typed, what=f"{typed!r} in the track box")
    # What else the file holds stays; the keys are updated where they stand.
    assert d.save() == other + settings_bytes(1, saved, "")


def test_cancel_and_the_close_box_write_nothing(dialog, session):
    original = settings_bytes(0, 3)
    d = dialog.open(original)
    d.choose(1)
    d.click(CANCEL_BUTTON)
    assert d.process.wait() == 0
    assert dialog.ini.read_bytes() == original

    dialog.ini.unlink()
    d.open()
    d.choose(2)
    left, top, width, _ = map(int, session.wintool("window", TITLE).split())
    close_box = (left + width - 12, (top + d.rect[1]) // 2)
    # The point is the close box as Windows sees it (HTCLOSE).
    assert int(session.wintool("send", TITLE, "0x84", "0", str(close_box[1] << 16 | close_box[0]))) == 20
    click_at(session, close_box)
    assert d.process.wait() == 0
    assert not dialog.ini.exists()


def choose_in_open_dialog(session, typed):
    xid = session.wait_for_window(OPEN_TITLE)
    wait_until(lambda: focused(session, OPEN_TITLE), accept=lambda f: f[1] == "Edit", what="the chooser's focus")
    session.focus(xid)
    if typed is not None:
        session.type_text(typed)
    session.key("Escape" if typed is None else "Return")
    session.wait_for_no_window(OPEN_TITLE)


def test_open_file_dialog_starts_in_the_folder_and_takes_the_typed_file(dialog, session):
    d = dialog.open()
    d.choose(2)
    d.click(FILE_BUTTON, in_box=True)
    session.wait_for_window(OPEN_TITLE)
    # The file type box shows the one filter.
    assert any(text == "BGMﾌｧｲﾙ (MP3 WAV)" and len(items) == 1 for _, text, items in d.combos(OPEN_TITLE))
    before = session.screenshot("file-box-empty")
    # A bare name lands in the folder the dialog started in: the program's.
    choose_in_open_dialog(session, "first.mp3")
    # The path now shows in the file box (dark text on the light middle).
    box = [d.at((x, y), True) for y in range(FILE_BOX[1] + 3, FILE_BOX[1] + 18) for x in range(FILE_BOX[0] + 3, 300)]
    changed = lambda shot: sum(shot.pixel(*p) != before.pixel(*p) for p in box)
    wait_until(lambda: changed(session.screenshot("file-box-chosen")), accept=lambda n: n > 50, what="the path shown")
    assert d.save() == settings_bytes(2, 0, f"C:\\{FOLDER}\\first.mp3")


def focused(session, title=TITLE):
    """(left, top) in the window's client area and class of its focused control; (None, None) for none."""
    code, out = session.run_to_end(session.probe("wintool.exe"), "focus", title)
    fields = out.split() if code == 0 else []
    return ((int(fields[0]), int(fields[1])), fields[4]) if len(fields) == 5 else (None, None)


def test_the_focus_comes_back_to_the_file_button_when_the_chooser_closes(dialog, session):
    d = dialog.open()
    d.choose(2)
    d.choose_file(None)
    wait_until(lambda: focused(session), accept=lambda f: f == (FILE_BUTTON_AT, "SorvaneCommand"), what="focus back")


def test_a_chosen_file_sets_the_next_start_and_cancelling_changes_nothing(dialog, session):
    music = session.drive_c / "music"
    music.mkdir(exist_ok=True)
    d = dialog.open()
    d.choose(2)
    d.choose_file("C:\\music\\a.mp3")
    d.choose_file("b.wav")
    d.choose_file(None)
    assert d.save() == settings_bytes(2, 0, "C:\\music\\b.wav")


def open_dialog_files(session):
    """The names the open-file dialog's list shows."""
    return session.wintool("listitems", OPEN_TITLE).splitlines()


def test_the_chooser_opens_in_the_folder_of_a_saved_japanese_path(dialog, session):
    # The second byte of ソ is 0x5C, the byte of '\'.
    folder = session.drive_c / "音楽"
    folder.mkdir(exist_ok=True)
    (folder / "ソナタ.mp3").write_bytes(b"ID3")
    music = "C:\\音楽\\ソナタ.mp3"
    d = dialog.open(settings_bytes(2, 0, music))
    d.click(FILE_BUTTON, in_box=True)
    session.wait_for_window(OPEN_TITLE)
    files = wait_until(lambda: open_dialog_files(session), what="the open-file dialog's list")
    assert "ソナタ.mp3" in files, f"the list shows {files}, not the folder of {music}"
    choose_in_open_dialog(session, None)
    assert d.save() == settings_bytes(2, 0, music)


def test_a_name_outside_the_code_page_is_stored_by_its_short_name(dialog, session):
    # é has no form in code page 932: stored as it is, the path would say '?'.
    folder = session.drive_c / "musique"
    folder.mkdir(exist_ok=True)
    (folder / "café.mp3").write_bytes(b"ID3 cafe")
    d = dialog.open()
    d.choose(2)
    d.choose_file("C:\\musique\\café.mp3")
    stored = dialog_file_after_saving(d)
    assert "?" not in stored and stored.upper().startswith("C:\\MUSIQUE\\") and stored.upper().endswith(".MP3")
    # Windows opens the file by the short path.
    code, out = session.run_to_end("cmd.exe", "/c", "type", stored)
    assert code == 0 and out.strip() == "ID3 cafe", f"{stored} does not open the file"


def test_a_name_outside_the_code_page_without_a_short_name_is_refused_with_a_message(dialog, session):
    # A file that does not exist (the dialog accepts typed names) has no short name.
    (session.drive_c / "music").mkdir(exist_ok=True)
    (session.drive_c / "music" / "a.mp3").write_bytes(b"ID3")
    before = settings_bytes(2, 0, "C:\\music\\a.mp3")
    d = dialog.open(before)
    d.choose_file("C:\\nowhere\\♫.mp3")
    session.answer_message_box(PRODUCT_TITLE, owner=TITLE)
    assert d.save() == before, "the refused name changed the settings"


def dialog_file_after_saving(d):
    """The music file the dialog saved, as text."""
    for line in d.save().decode("cp932").splitlines():
        if line.startswith(KEYS[2] + "="):
            return line.split("=", 1)[1]
    raise AssertionError("no music file saved")


def glide(session, start, end, steps=8):
    """The pointer moved from start to end a step at a time, as a hand moves it."""
    for i in range(1, steps + 1):
        session.mouse_move(start[0] + (end[0] - start[0]) * i // steps, start[1] + (end[1] - start[1]) * i // steps)
        pace(0.03)


def test_a_press_elsewhere_released_over_the_set_button_is_no_click(dialog, session):
    d = dialog.open()
    d.choose(1)
    background = d.at(BACKGROUND)
    session.mouse_move(*background)
    session.mouse_down()
    glide(session, background, d.at(SET_BUTTON))
    d.wait_for_hover(SET_BUTTON)
    session.mouse_up()
    d.settle()
    assert d.process.running(), "the dialog closed"
    assert not dialog.ini.exists(), "the settings were written"
    # A whole click on the button still saves.
    assert d.save() == settings_bytes(1, 0, "")


def test_a_double_click_in_the_file_dialog_over_the_set_button_only_chooses_the_file(dialog, session):
    folder = session.drive_c / "one-tune"
    shutil.rmtree(folder, ignore_errors=True)
    folder.mkdir()
    (folder / "only.mp3").write_bytes(b"ID3")
    (folder / "old.wav").write_bytes(b"RIFF")
    # The chooser starts in the folder of the saved file.
    before = settings_bytes(2, 0, "C:\\one-tune\\old.wav")
    d = dialog.open(before)
    d.click(FILE_BUTTON, in_box=True)
    session.wait_for_window(OPEN_TITLE)
    wait_until(lambda: open_dialog_files(session) == ["old.wav", "only.mp3"], what="the two files in the list")
    # Move the chooser so that its second file lies right over "設定".
    left, top, width, height = map(int, session.wintool("firstitem", OPEN_TITLE).split())
    second = (left + width // 2, top + height + height // 2)
    target = d.at(SET_BUTTON)
    window = session.wintool("window", OPEN_TITLE).split()
    around = (target[0] - 10, target[1] - 3, 21, 7)
    button = look(session, around)
    session.wintool("move", OPEN_TITLE, str(int(window[0]) + target[0] - second[0]),
                    str(int(window[1]) + target[1] - second[1]))
    wait_until(lambda: look(session, around) != button, what="the chooser over 設定 on the screen")
    session.mouse_move(target[0] - 1, target[1])
    session.mouse_move(*target)
    subprocess.run(["xdotool", "click", "--repeat", "2", "--delay", "120", "1"], env=session.env, check=True)
    session.wait_for_no_window(OPEN_TITLE)
    d.settle(2)
    assert d.process.running(), "the second release saved and closed the dialog"
    assert dialog.ini.read_bytes() == before, "the settings were written"
    assert d.save() == settings_bytes(2, 0, "C:\\one-tune\\only.mp3")


def test_a_save_that_cannot_write_says_so_and_keeps_the_dialog_open(dialog, session):
    # A read-only file stops every user but root, and the tests may run as
    # root: a folder in the settings file's place stops everyone.
    dialog.ini.mkdir()
    (dialog.ini / "kept.txt").write_bytes(b"kept")
    d = dialog.open()
    d.choose(1)
    d.click(SET_BUTTON)
    session.answer_message_box(PRODUCT_TITLE, says="設定を Sorvane.ini に書き込めません！", owner=TITLE)
    d.settle()
    assert d.process.running(), "the dialog closed as if it had saved"
    assert [p.name for p in dialog.ini.iterdir()] == ["kept.txt"]
    d.click(CANCEL_BUTTON)
    assert d.process.wait() == 0


def test_the_link_opens_the_address_in_the_browser(dialog, session, tmp_path):
    opened = tmp_path / "opened.txt"
    browser = tmp_path / "browser.sh"
    browser.write_text(f'#!/bin/sh\nprintf "%s\\n" "$@" >> "{opened}"\n')
    browser.chmod(0o755)
    reg = ["wine", "reg"]
    key = "HKCU\\Software\\Wine\\WineBrowser"
    subprocess.run(reg + ["add", key, "/v", "Browsers", "/t", "REG_SZ", "/d", str(browser), "/f"],
                   env=session.env, check=True, capture_output=True)
    try:
        # ole32 hands its COM calls on to combase.
        with session.relay_trace("combase.CoInitializeEx;combase.CoUninitialize;shell32.ShellExecuteA"):
            d = dialog.open(trace="+relay")
            d.click(LINK)
            wait_until(lambda: opened.exists() and opened.read_text().strip(), what="the browser to be started")
            assert opened.read_text().split() == ["https://sorvane.example.org/"]
            assert d.process.running()
            d.click(CANCEL_BUTTON)
            assert d.process.wait() == 0
    finally:
        subprocess.run(reg + ["delete", key, "/f"], env=session.env, capture_output=True)
    # The shell's call on a thread with COM (apartment-threaded, without
    # OLE1 DDE: 0x2 | 0x4), and COM ended with the dialog.
    text = d.process.trace.read_text(errors="replace")
    pid = re.search(r"^([0-9a-f]+):", text, re.M).group(1)
    calls = re.findall(r"^" + pid + r":[0-9a-f]+:Call (\w+\.\w+\([^)]*\))", text, re.M)
    ours = calls.index("combase.CoInitializeEx(00000000,00000006)")
    shell = calls.index(next(c for c in calls if c.startswith("shell32.ShellExecuteA(")))
    assert ours < shell, calls
    assert "combase.CoUninitialize()" in calls[shell:], calls


def test_while_the_dialog_is_open_a_run_or_a_preview_ends_at_once(dialog, session):
    d = dialog.open()
    # A real pane: a preview that passed the single-instance test would stay in it.
    pane = session.run(session.probe("window_probe.exe"), "preview pane", "--size", "152x112", "--at", "600,100")
    session.wait_for_window("preview pane")
    for args in (["/s"], ["/p", str(session.find_window("preview pane"))], ["/c"]):
        # Ended while the dialog stays open: it did not wait for the dialog.
        assert session.run_to_end(dialog.folder / "Sorvane.scr", *args)[0] == 0
    pane.kill()
    assert session.find_window("Sorvane_VC") is None
    assert len(session.visible_windows(TITLE)) == 1
    assert d.process.running()


# --- The keyboard ---------------------------------------------------------------

# Keys pressed from the first focus (the sources) with なし chosen, and what
# the settings file holds after them: None for "unchanged, byte for byte".
KEYSTROKES = {
    "Escape cancels": (["Escape"], None),
    "Enter saves": (["Return"], settings_bytes(0, 3, "")),
    "Up then Enter saves the CD above なし": (["Up", "Return"], settings_bytes(1, 3, "")),
    "Down twice, Enter: round the end to the CD": (["Down", "Down", "Return"], settings_bytes(1, 3, "")),
    "Tab, Tab, Space is ｷｬﾝｾﾙ": (["Tab", "Tab", "space"], None),
    "Tab, Space is 設定": (["Tab", "space"], settings_bytes(0, 3, "")),
    "Enter on a focused ｷｬﾝｾﾙ is ｷｬﾝｾﾙ": (["Tab", "Tab", "Return"], None),
    "Tab to the link, Escape": (["Tab", "Tab", "Tab", "Escape"], None),
}


@pytest.mark.parametrize("keys", KEYSTROKES)
def test_the_dialog_from_the_keyboard(dialog, session, keys):
    pressed, expected = KEYSTROKES[keys]
    # Track "03" reads as 3 and is written back as "3": a save is told from
    # a cancel even where it saves the same choice.
    original = settings_bytes(0, "03", "")
    d = dialog.open(original, keyboard=True)
    assert focused(session)[1] == "SorvaneKeyboardTarget", "the first focus is on the sources"
    session.key(*pressed)
    assert d.process.wait() == 0
    assert dialog.ini.read_bytes() == (original if expected is None else expected)


def test_with_the_track_list_open_enter_picks_and_escape_closes_the_list_first(dialog, session):
    original = settings_bytes(1, 0, "")
    d = dialog.open(original, keyboard=True)
    session.key("Tab", "alt+Down", "Down", "Down", "Return")  # a number from the list
    d.settle()
    assert d.process.running(), "Enter in the open list closed the dialog"
    assert dialog.ini.read_bytes() == original, "Enter in the open list saved"
    picked = d.combo()[1]
    assert picked.isdigit(), f"the list gave {picked!r}"
    d.focus_track_box()
    session.key("alt+Down", "Escape")
    d.settle()
    assert d.process.running(), "Escape in the open list closed the dialog"
    assert dialog.ini.read_bytes() == original, "Escape in the open list saved"
    d.focus_track_box()
    session.key("Return")  # from the track box: 設定
    assert d.process.wait() == 0
    assert dialog.ini.read_bytes() == settings_bytes(1, picked, "")


def test_space_held_on_set_shows_the_pressed_picture_and_saves_on_release(dialog, session):
    # Track "00" is written back as "0" by a save alone.
    d = dialog.open(settings_bytes(0, "00", ""), keyboard=True)
    session.mouse_move(1, 1)  # off the dialog: no button hovered
    session.key("Tab")
    with session.holding("space"):
        # Pressed: the border one pixel further in than in the other pictures.
        x, y = SET_BUTTON[0], SET_BUTTON[1] - 12  # the top edge of "設定", 37 pixels from its left
        pressed = lambda shot: border_blue(d.pixel(shot, (x, y + 2))) and not border_blue(d.pixel(shot, (x, y + 1)))
        wait_until(lambda: session.screenshot("set-pressed"), accept=pressed, what="the pressed picture of 設定")
        assert d.process.running()
    assert d.process.wait() == 0
    assert dialog.ini.read_bytes() == settings_bytes(0, 0, "")


def test_enter_held_while_a_save_fails_saves_once(dialog, session):
    dialog.ini.mkdir()  # a folder in the settings file's place: every save fails
    with session.relay_trace("user32.MessageBoxW"):
        d = dialog.open(trace="+relay", keyboard=True)
        # Held long enough for the keyboard's auto-repeat to go on for a while.
        session.key("Return", hold=3)
        shown = lambda: d.process.trace.read_text(errors="replace").count("Call user32.MessageBoxW(")
        wait_until(shown, what="the \"not saved\" message")
    assert d.process.running()
    # The repeats may have closed the box already.
    if session.find_window(PRODUCT_TITLE):
        session.answer_message_box(PRODUCT_TITLE)
    session.focus(d.xid)
    session.key("Escape")
    assert d.process.wait() == 0
    assert shown() == 1, f"the \"not saved\" message came {shown()} times"


def test_a_focused_control_disabled_by_the_mouse_hands_the_focus_on(dialog, session):
    d = dialog.open(settings_bytes(1, 0, ""))
    d.focus_track_box()
    d.choose(0)  # なし: the track box is disabled
    handed = focused(session)
    assert handed[1] == "SorvaneCommand", "no window of the dialog has the focus"
    session.key("Tab")
    assert wait_until(lambda: focused(session), accept=lambda f: f != handed, what="a Tab")[1] == "SorvaneCommand"

    # "..." focused from the keyboard, then disabled by choosing the CD.
    d.choose(2)
    session.key("shift+Tab", "shift+Tab")
    wait_until(lambda: focused(session)[0], accept=lambda at: at == FILE_BUTTON_AT, what="the focus on the file button")
    d.choose(1)
    assert focused(session)[1] == "SorvaneCommand" and focused(session)[0] != FILE_BUTTON_AT
    d.choose(2)
    d.choose_file(None)  # the click on "..." is not swallowed: the chooser came


@pytest.mark.parametrize("category", [1, 2])
def test_a_click_on_the_chosen_source_leaves_the_focus_in_the_control_it_enables(dialog, session, category):
    (music := dialog.folder / "tune.mp3").write_bytes(b"ID3")
    original = settings_bytes(category, 0, windows_path(music))
    d = dialog.open(original, keyboard=True)
    session.key("Tab")  # from the sources to the one control the source enables
    enabled = "Edit" if category == 1 else "SorvaneCommand"
    control = wait_until(lambda: focused(session), accept=lambda f: f[1] == enabled, what=f"the focus on the {enabled}")
    d.click(NAMES[category], in_box=True)  # the source chosen already
    assert focused(session) == control, "the focus left the control that the source enables"
    if category == 1:
        # The digits typed next still reach the track box.
        session.type_text("12")
        wait_until(lambda: d.combo()[1], accept=lambda text: text == "12", what="12 in the track box")
        assert d.save() == settings_bytes(1, 12, windows_path(music))
    else:
        # Space is still "...": the chooser opens, nothing is saved.
        session.key("space")
        choose_in_open_dialog(session, None)
        assert d.process.running()
        assert dialog.ini.read_bytes() == original


def name_frame(d, shot, source):
    """The pixels around a source's name, where its focus cue is drawn."""
    left, top = NAME_CORNERS[source]
    return [d.pixel(shot, (x, y), True) for y in range(top - 3, top + 18) for x in range(left - 3, left + 60)]


def test_the_focus_cue_follows_a_source_chosen_with_the_mouse(dialog, session):
    d = dialog.open(settings_bytes(0, 0, ""), keyboard=True)
    assert focused(session)[1] == "SorvaneKeyboardTarget", "the first focus is on the sources"
    d.click(NAMES[1], in_box=True)  # 音楽CD, with the mouse
    with_focus = wait_until(lambda: session.screenshot("cue-after-a-click"), accept=lambda shot: marked(d, shot) == 1,
                            what="音楽CD chosen")
    assert focused(session)[1] == "SorvaneKeyboardTarget"
    session.key("Tab")  # the focus to the track box: no cue anywhere
    without_focus = wait_until(lambda: session.screenshot("cue-gone"), what="the cue gone from the source chosen",
                               accept=lambda shot: name_frame(d, with_focus, 1) != name_frame(d, shot, 1))
    assert name_frame(d, with_focus, 0) == name_frame(d, without_focus, 0), "the cue stayed on なし"


def test_a_stored_file_out_of_reach_is_shown_chosen_and_kept(dialog, session):
    gone = "C:\\音楽\\外したUSB\\ソナタ.mp3"
    d = dialog.open(settings_bytes(2, 0, gone))
    assert marked(d, session.screenshot("stored-out-of-reach")) == 2
    assert d.save() == settings_bytes(2, 0, gone)


def pixels(twips, dpi):
    """Twips as whole pixels at a resolution: the true ratio, rounded down."""
    return twips * dpi // 1440


# The buttons in twips (left, top, width, height): "設定", "ｷｬﾝｾﾙ" on the dialog,
# "..." in the music box.
BUTTONS_TWIPS = {"set": ((4860, 3000, 1155, 375), False), "cancel": ((6060, 3000, 1155, 375), False),
                 "file": ((420, 1740, 615, 315), True)}
BOX_TWIPS = (180, 240)


@pytest.mark.parametrize("dpi", [120, 144])
def test_at_larger_scales_the_dialog_and_every_side_of_each_button_frame_are_drawn(dialog, session, dpi):
    with session.logical_dpi(dpi):
        d = dialog.open(settings_bytes(1, 0, ""))
        left, top, width, height = d.rect
        # "MP3、WAV" at this scale (its 96-dpi pixels are 15 twips each): "..." enabled.
        name_x, name_y = (BOX_TWIPS[0] + 15 * NAMES[2][0], BOX_TWIPS[1] + 15 * NAMES[2][1])
        click_at(session, (left + pixels(name_x, dpi), top + pixels(name_y, dpi)))
        wait_until(lambda: not d.combo()[0], what="the track box disabled by the click on MP3、WAV")
        assert (width, height) == (pixels(7440, dpi), pixels(3645, dpi)), "the client area is not its twips at this scale"
        session.mouse_move(left + width - 2, top + height - 2)  # no button hovered
        d.wait_painted()
        shot = session.screenshot(f"dialog-{dpi}dpi")
        for name, ((x, y, w, h), in_box) in BUTTONS_TWIPS.items():
            bx = left + pixels(x + (BOX_TWIPS[0] if in_box else 0), dpi)
            by = top + pixels(y + (BOX_TWIPS[1] if in_box else 0), dpi)
            for side, points in frame_sides((bx, by, pixels(w, dpi), pixels(h, dpi)), dpi).items():
                assert any(border_blue(shot.pixel(*p)) for p in points), \
                    f"{name} button at {dpi} dpi: no frame on its {side} side: {[shot.pixel(*p) for p in points]}"


def test_captions_read_the_same_under_code_pages_932_and_1252(tmp_path):
    crops = []
    for locale in ("ja_JP.UTF-8", "en_US.UTF-8"):
        with Session(locale=locale) as s, s.installed("SorvaneLocaleTest") as folder:
            d = Dialog(s, folder).open()
            s.mouse_move(1, 1)
            d.wait_painted()
            shot = s.screenshot(f"dialog-{locale[:2]}")
            crops.append([shot.pixel(*d.at((x, y))) for y in range(CLIENT_SIZE[1]) for x in range(CLIENT_SIZE[0])])
            d.process.kill()
    different = sum(a != b for a, b in zip(*crops))
    assert different == 0, f"{different} pixels differ between the two code pages"
