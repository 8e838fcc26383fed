"""The release under Wine: the zip holds exactly what it promises; the
installer, run silently, installs both programs into the user's own programs
folder and registers its uninstaller; the installed screen saver saves its
settings beside itself; the uninstaller takes back what was installed and
registered and keeps the user's settings (unless asked) and C:\\k_rova."""
import os
import pathlib
import shutil
import subprocess
import zipfile

import pytest

from harness import Session, release_dir, signed_release_dir, wait_until
from test_settings_dialog import NAMES, SET_BUTTON, Dialog

VERSION_GLOB = "Sorvane-*"
UNINSTALL_KEY = "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Sorvane"
DESKTOP_KEY = "HKCU\\Control Panel\\Desktop"
INSTALLED = {"Sorvane.scr", "Sorvane.dll", "readme.txt", "LICENSE.txt", "Uninstall.exe"}


def release_file(suffix, release=None):
    found = sorted(((release or release_dir()) / "dist").glob(VERSION_GLOB + suffix))
    assert len(found) == 1, f"one {suffix} in the release folder: {found}"
    return found[0]


def test_the_zip_holds_exactly_the_programs_the_read_me_and_the_licence():
    bins = release_dir() / "bin"
    archive = release_file("-win64.zip")
    with zipfile.ZipFile(archive) as z:
        assert z.namelist() == ["Sorvane.scr", "Sorvane.dll", "readme.txt", "LICENSE.txt"]
        assert z.read("Sorvane.scr") == (bins / "Sorvane.scr").read_bytes()
        assert z.read("Sorvane.dll") == (bins / "Sorvane.dll").read_bytes()
        readme = z.read("readme.txt").decode("utf-8-sig")
        assert "インストール" in readme and "Install" in readme and "Uninstall" in readme
        assert "\r\n" in readme
        assert "MIT License" in z.read("LICENSE.txt").decode()


def reg_query(session, key, value):
    """A registry value's data as text, or None when it is not there."""
    result = subprocess.run(["wine", "reg", "query", key, "/v", value], env=session.env,
                            capture_output=True)
    if result.returncode != 0:
        return None
    for line in result.stdout.decode("utf-8", errors="replace").splitlines():
        parts = line.split(None, 2)
        if len(parts) == 3 and parts[0] == value and parts[1].startswith("REG_"):
            return parts[2].strip()
    return ""


def windows_to_unix(session, path):
    """A C: path of the prefix as a path of this machine."""
    assert path[:3].upper() == "C:\\"
    return session.drive_c.joinpath(*path[3:].split("\\"))


def local_app_data(session):
    out = subprocess.run(["wine", "cmd", "/c", "echo", "%LOCALAPPDATA%"], env=session.env,
                         capture_output=True, check=True).stdout.decode(errors="replace").strip()
    return windows_to_unix(session, out)


@pytest.fixture
def session():
    with Session() as s:
        yield s


def install(session, release=None):
    code, _ = session.run_to_end(release_file("-setup.exe", release), "/S", timeout=60)
    assert code == 0
    return local_app_data(session) / "Programs" / "Sorvane"


def uninstall(session, folder, *args):
    # The uninstaller runs a copy of itself from the temporary folder and
    # returns at once: wait for its work.
    code, _ = session.run_to_end(folder / "Uninstall.exe", "/S", *args, timeout=60)
    assert code == 0
    wait_until(lambda: not (folder / "Uninstall.exe").exists() and not (folder / "Sorvane.scr").exists(),
               timeout=30, what="the uninstaller to finish")
    wait_until(lambda: reg_query(session, UNINSTALL_KEY, "DisplayName") is None,
               what="the uninstall entry to go")


def test_silent_install_settings_beside_the_program_and_uninstall(session):
    work_folder = session.drive_c / "k_rova"
    folder = install(session)
    try:
        assert {p.name for p in folder.iterdir()} == INSTALLED
        assert (folder / "Sorvane.scr").read_bytes() == (release_dir() / "bin" / "Sorvane.scr").read_bytes()
        assert reg_query(session, UNINSTALL_KEY, "DisplayName") == "Sorvane"
        assert reg_query(session, UNINSTALL_KEY, "DisplayVersion") == release_file("-setup.exe").name.split("-")[1]
        uninstall_string = reg_query(session, UNINSTALL_KEY, "UninstallString")
        assert uninstall_string.strip('"').lower().endswith("\\programs\\sorvane\\uninstall.exe")
        # The installed program, by its short path as Windows keeps it.
        installed = "C:\\" + str((folder / "Sorvane.scr").relative_to(session.drive_c)).replace("/", "\\")
        code, short_path = session.run_to_end(session.probe("wintool.exe"), "shortpath", installed)
        assert code == 0
        assert reg_query(session, DESKTOP_KEY, "SCRNSAVE.EXE") == short_path.strip()

        # The installed screen saver saves its settings beside itself.
        dialog = Dialog(session, folder).open()
        dialog.click(NAMES[1], in_box=True)
        dialog.click(SET_BUTTON)
        assert dialog.process.wait() == 0
        settings = (folder / "Sorvane.ini").read_bytes()
        assert "BGM区分=1".encode("cp932") in settings
        assert work_folder.is_dir()

        uninstall(session, folder)
        assert [p.name for p in folder.iterdir()] == ["Sorvane.ini"]
        assert (folder / "Sorvane.ini").read_bytes() == settings
        assert reg_query(session, DESKTOP_KEY, "SCRNSAVE.EXE") is None
        assert work_folder.is_dir(), "C:\\k_rova is the user's, not the uninstaller's"

        # Asked to, the uninstaller removes the settings and the folder too.
        install(session)
        assert (folder / "Sorvane.ini").read_bytes() == settings, "installing again keeps the settings"
        uninstall(session, folder, "/REMOVESETTINGS")
        wait_until(lambda: not folder.exists(), what="the folder to go")
    finally:
        shutil.rmtree(folder, ignore_errors=True)
        subprocess.run(["wine", "reg", "delete", UNINSTALL_KEY, "/f"], env=session.env, capture_output=True)
        subprocess.run(["wine", "reg", "delete", DESKTOP_KEY, "/v", "SCRNSAVE.EXE", "/f"], env=session.env,
                       capture_output=True)


def test_the_signed_release_installs_a_signed_uninstaller_and_its_programs_still_run(session):
    signed = signed_release_dir()
    folder = install(session, signed)
    try:
        for name in ("Uninstall.exe", "Sorvane.scr", "Sorvane.dll"):
            verified = subprocess.run(["osslsigncode", "verify", "-CAfile", str(signed / "authority.pem"),
                                       "-in", str(folder / name)], capture_output=True, text=True)
            assert verified.returncode == 0, f"{name}: {verified.stdout}{verified.stderr}"
        host = session.run(folder / "Sorvane.scr", "/s")
        window = session.wait_for_window("Sorvane_VC")
        wait_until(lambda: session.screenshot("signed-run").mean() > 0.01, what="the star field")
        session.focus(window)
        session.key("Escape")
        assert host.wait() == 0
        uninstall(session, folder)
    finally:
        shutil.rmtree(folder, ignore_errors=True)
        subprocess.run(["wine", "reg", "delete", UNINSTALL_KEY, "/f"], env=session.env, capture_output=True)
        subprocess.run(["wine", "reg", "delete", DESKTOP_KEY, "/v", "SCRNSAVE.EXE", "/f"], env=session.env,
                       capture_output=True)
