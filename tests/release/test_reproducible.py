"""Two clean release builds of the same sources, in separate folders, give
the same bytes: both programs, the zip and the installer. The first build's
programs and release files are kept in SORVANE_RELEASE_OUTPUT, when it is
set, for the end-to-end test of the release."""
import hashlib
import os
import pathlib
import shutil
import subprocess

SOURCE = pathlib.Path(os.environ.get("SORVANE_SOURCE_DIR", pathlib.Path(__file__).resolve().parents[2]))
BUILT = ["bin/Sorvane.scr", "bin/Sorvane.dll"]


def tracked_files():
    out = subprocess.run(["git", "-C", str(SOURCE), "ls-files", "-z"], check=True, capture_output=True).stdout
    return [name for name in out.decode().split("\0") if name]


def checkout(into):
    """The sources as a clean checkout has them, without the history."""
    for name in tracked_files():
        source = SOURCE / name
        if source.is_file():
            target = into / name
            target.parent.mkdir(parents=True, exist_ok=True)
            shutil.copy2(source, target)
    return into


def build(source, build_dir, env):
    subprocess.run(["cmake", "--preset", "release", "-S", str(source), "-B", str(build_dir)],
                   cwd=source, env=env, check=True, stdout=subprocess.DEVNULL)
    subprocess.run(["cmake", "--build", str(build_dir)], cwd=source, env=env, check=True,
                   stdout=subprocess.DEVNULL)
    files = BUILT + sorted(str(p.relative_to(build_dir)) for p in (build_dir / "dist").glob("Sorvane-*"))
    return {name: hashlib.sha256((build_dir / name).read_bytes()).hexdigest() for name in files}


def test_two_clean_builds_in_separate_folders_are_identical(tmp_path):
    epoch = subprocess.run(["git", "-C", str(SOURCE), "log", "-1", "--format=%ct"],
                           check=True, capture_output=True, text=True).stdout.strip()
    # The copies carry no history: the commit's time comes with them.
    env = dict(os.environ, SOURCE_DATE_EPOCH=epoch)
    first = build(checkout(tmp_path / "one" / "sorvane"), tmp_path / "one" / "out", env)
    second = build(checkout(tmp_path / "two" / "elsewhere"), tmp_path / "two" / "build-2", env)
    for name, digest in sorted(first.items()):
        print(f"{digest}  {name}")
    assert len(first) == 4, f"expected two programs, the zip and the installer: {sorted(first)}"
    assert first == second
    keep(tmp_path / "one" / "out", os.environ.get("SORVANE_RELEASE_OUTPUT"))


def keep(build_dir, output, *files):
    """The build's programs (bin/) and release files (dist/), and these
    files beside them, copied."""
    if not output:
        return
    output = pathlib.Path(output)
    shutil.rmtree(output, ignore_errors=True)
    for folder in ("bin", "dist"):
        shutil.copytree(build_dir / folder, output / folder)
    for file in files:
        shutil.copy(file, output)
