"""What every end-to-end case starts from."""
import pytest

# Windows a case may leave behind when it fails half-way: the host's forms,
# the renderer, the host's and the loader's message boxes, the preview.
PRODUCT_TITLES = ("Sorvane_Main", "<Sorvane>", "Sorvane_VC", "Sorvane", "Error", "Preview Window")


@pytest.fixture(autouse=True)
def clean_slate(request):
    """A case that shares its module's session starts with none of the
    programs an earlier case left running: a dialog or a box left open
    would trip the single-instance rule of every case after it."""
    if "session" in request.fixturenames:
        request.getfixturevalue("session").end_programs(PRODUCT_TITLES)
    yield
