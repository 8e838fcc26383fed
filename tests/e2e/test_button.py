"""The gradient button under the real mouse: its frame follows the pointer
and the focus, a release raises Click unless the pointer left the focused
button while it was held, and a disabled button ignores everything."""
import pytest

from bitmaps import read_ppm
from harness import Session, pace, wait_until, windows_path

TITLE = "Sorvane button probe"
BUTTON_A, BUTTON_B = (20, 20), (20, 100)   # client pixels of the two buttons
BUTTON_SIZE = (77, 25)

# The inner band's colour at the middle of the left edge (column 2, row 12).
NORMAL = (244, 244, 240)
AMBER = (252, 202, 105)
BLUE = (169, 197, 239)
DISABLED_INSIDE = (245, 244, 234)


def close(colour, expected, tolerance=10):
    return all(abs(a - b) <= tolerance for a, b in zip(colour, expected))


@pytest.fixture
def probe(tmp_path):
    with Session() as session:
        log = tmp_path / "clicks.txt"
        log.write_text("")
        process = session.run(session.probe("button_probe.exe"), windows_path(log))
        session.wait_for_window(TITLE)
        left, top, _, _ = session.client_rect(TITLE)
        yield session, (left, top), log
        process.kill()


def band(session, origin, button, name, colour):
    """Waits until the button's band shows the colour (the pointer's timer
    repaints it at its next tick)."""
    x, y = origin[0] + button[0] + 2, origin[1] + button[1] + 12
    wait_until(lambda: session.screenshot(name).pixel(x, y), accept=lambda c: close(c, colour),
               what=f"the band of the button at {button} in {colour}")


def centre(origin, button):
    return origin[0] + button[0] + BUTTON_SIZE[0] // 2, origin[1] + button[1] + BUTTON_SIZE[1] // 2


def move_onto(session, point):
    """Moves onto a point as a hand does: there, then a pixel further. (Wine
    gives the window a jump's first motion only on the next one.)"""
    session.mouse_move(*point)
    session.mouse_move(point[0] + 1, point[1])


def clicks(log, expected):
    wait_until(lambda: log.read_text().split(), accept=lambda c: c == expected,
               what=f"the clicks {expected}")


def nothing_clicked_before_a_click_on_a(session, origin, log):
    """The probe handles input in order: when a later click on A is the first
    line of the log, what came before it raised nothing."""
    move_onto(session, centre(origin, BUTTON_A))
    band(session, origin, BUTTON_A, "button-before-a", AMBER)
    session.click(*centre(origin, BUTTON_A))
    clicks(log, ["Click", "A"])


def test_hover_click_focus_and_leaving(probe):
    session, origin, log = probe
    session.mouse_move(5, 5)
    band(session, origin, BUTTON_A, "button-normal", NORMAL)

    move_onto(session, centre(origin, BUTTON_A))
    band(session, origin, BUTTON_A, "button-hover", AMBER)

    session.click(*centre(origin, BUTTON_A))
    clicks(log, ["Click", "A"])
    band(session, origin, BUTTON_A, "button-hover-focused", AMBER)

    session.mouse_move(5, 5)
    band(session, origin, BUTTON_A, "button-focused", BLUE)

    move_onto(session, centre(origin, BUTTON_A))
    band(session, origin, BUTTON_A, "button-focused-hover", AMBER)
    session.click(*centre(origin, BUTTON_A), button=3)
    clicks(log, ["Click", "A"] * 2)  # a right-button release clicks too


def test_dragging_out_of_a_held_button_raises_no_click(probe):
    session, origin, log = probe
    move_onto(session, centre(origin, BUTTON_A))
    band(session, origin, BUTTON_A, "button-hover", AMBER)
    session.mouse_down()
    pace()
    session.mouse_move(300, 180)
    band(session, origin, BUTTON_A, "button-dragged-out", BLUE)  # a tick saw the pointer gone
    session.mouse_up()
    nothing_clicked_before_a_click_on_a(session, origin, log)


def test_a_disabled_button_shows_its_picture_and_ignores_the_mouse(probe):
    session, origin, log = probe
    band(session, origin, BUTTON_B, "button-disabled", DISABLED_INSIDE)
    session.click(*centre(origin, BUTTON_B))
    nothing_clicked_before_a_click_on_a(session, origin, log)
    band(session, origin, BUTTON_B, "button-disabled-clicked", DISABLED_INSIDE)


def border_blue(pixel):
    """The frame's dark blue border (#003C74), not black, not the face."""
    r, g, b = pixel
    return r < 50 and 35 < g < 100 and 80 < b < 150


def frame_sides(rect, dpi):
    """Points across each side of a button's frame at its middle: the frame's
    four picture pixels at this scale, and one more."""
    left, top, width, height = rect
    band = max(4, dpi // 24)
    middle_x, middle_y = left + width // 2, top + height // 2
    return {"left": [(left + i, middle_y) for i in range(band)],
            "right": [(left + width - 1 - i, middle_y) for i in range(band)],
            "top": [(middle_x, top + i) for i in range(band)],
            "bottom": [(middle_x, top + height - 1 - i) for i in range(band)]}


@pytest.mark.parametrize("dpi", [120, 144])
def test_the_face_read_back_from_the_button_has_its_frame_on_every_side_at_larger_scales(tmp_path, dpi):
    """The button's own painting (WM_PRINTCLIENT, in its process), not the screen."""
    with Session() as session, session.logical_dpi(dpi):
        face = tmp_path / f"face-{dpi}.ppm"
        code, _ = session.run_to_end(session.probe("button_probe.exe"), "--face", windows_path(face))
        assert code == 0
        width, height, rgb = read_ppm(face)
        # 1155 x 375 twips at the true ratio, rounded down.
        assert (width, height) == (1155 * dpi // 1440, 375 * dpi // 1440)
        pixel = lambda x, y: tuple(rgb[3 * (y * width + x):3 * (y * width + x) + 3])
        for side, points in frame_sides((0, 0, width, height), dpi).items():
            assert any(border_blue(pixel(*p)) for p in points), \
                f"no frame on the {side} side at {dpi} dpi: {[pixel(*p) for p in points]}"
