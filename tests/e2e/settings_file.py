"""Sorvane.ini as the host writes it beside the programs: one section, the
keys in their order, code page 932 bytes and CRLF line ends."""
import pathlib

SETTINGS_FILE_NAME = "Sorvane.ini"
# The music source (0 none, 1 CD, 2 file), the CD track to repeat, the file.
KEYS = ("BGM区分", "BGMﾘﾋﾟｰﾄ", "BGMﾌｧｲﾙ")


def settings_bytes(*values, before=b""):
    """The file's bytes with these values for the first keys, in the keys'
    order (fewer values leave the last keys out), after the bytes `before`."""
    if len(values) > len(KEYS):
        raise ValueError(f"{len(values)} values for {len(KEYS)} keys")
    text = before + b"[Section]\r\n"
    for key, value in zip(KEYS, values):
        text += f"{key}={value}\r\n".encode("cp932")
    return text


def write_settings(folder, *values):
    """The settings file in a folder, written with settings_bytes(*values)."""
    (pathlib.Path(folder) / SETTINGS_FILE_NAME).write_bytes(settings_bytes(*values))
