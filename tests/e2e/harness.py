"""End-to-end harness: the real Windows programs under Wine on an Xvfb display.

A Session owns one Xvfb display of a given size (1024 x 768 x 24 unless told
otherwise), the build's Wine prefix with a fresh wineserver on that display,
and, when asked, a PulseAudio server whose null sink records what is played.
It runs programs with a command line, finds windows by title, sends real
keyboard and mouse input through XTEST, takes screenshots and reads their
pixels, and reads the captured sound.

    with Session() as session:
        program = session.run(session.bin("Sorvane.scr"), "/s")
        session.wait_for_window("Sorvane_VC")
        session.key("Escape")
        assert program.wait(10) == 0

The build passes its folders in the environment (see tests/CMakeLists.txt):
SORVANE_BIN_DIR, SORVANE_PROBE_DIR, SORVANE_TEST_OUTPUT and WINEPREFIX.
"""
import array
import contextlib
import itertools
import math
import os
import pathlib
import re
import shutil
import signal
import subprocess
import tempfile
import time

from bitmaps import parse_ppm

# Deadlines bound a wait; they are not the behaviour, so they are generous
# enough for a machine that is busy with other work beside the tests.
DEFAULT_TIMEOUT = 60.0
# How long a person's key press or click lasts.
PERSON_PACE = 0.15
POLL_INTERVAL = 0.1
SAMPLE_RATE = 44100
CHANNELS = 2
# The programs as the build makes them and as they are installed, side by side.
HOST_NAME = "Sorvane.scr"
RENDERER_NAME = "Sorvane.dll"


def _env_path(name):
    value = os.environ.get(name)
    if not value:
        raise RuntimeError(f"{name} is not set: run the end-to-end tests through CTest")
    return pathlib.Path(value)


def bin_dir():
    return _env_path("SORVANE_BIN_DIR")


def probe_dir():
    return _env_path("SORVANE_PROBE_DIR")


def release_dir():
    """A release build: its programs in bin/, the zip and installer in dist/."""
    return _env_path("SORVANE_RELEASE_DIR")


def signed_release_dir():
    """A signed release build laid out as release_dir(), with the authority
    its certificate comes from in authority.pem."""
    return _env_path("SORVANE_SIGNED_RELEASE_DIR")


def output_dir():
    path = _env_path("SORVANE_TEST_OUTPUT")
    path.mkdir(parents=True, exist_ok=True)
    return path


def windows_path(path):
    """The path a Windows program sees for a Linux path (Wine's drive Z:)."""
    return "Z:" + str(pathlib.Path(path).resolve()).replace("/", "\\")


def pace(seconds=PERSON_PACE):
    """The tests' one pause: a person's hand (a key held down, a button
    pressed) or the gap between two looks of a wait. Nothing else waits for
    a fixed time; a case waits for what it checks."""
    time.sleep(seconds)


def wait_until(condition, timeout=DEFAULT_TIMEOUT, what="condition", accept=bool):
    """Polls condition() until accept() takes what it gives, which is returned;
    at the deadline fails saying what it last saw."""
    deadline = time.monotonic() + timeout
    while True:
        value = condition()
        if accept(value):
            return value
        if time.monotonic() >= deadline:
            raise TimeoutError(f"timed out after {timeout:.1f} s waiting for {what}; "
                               f"it last saw {value!r}")
        pace(POLL_INTERVAL)


class _XServer(subprocess.Popen):
    """An X server started with -displayfd; `display` is its number."""
    display = None


def _start_x_server(command, env):
    read_fd, write_fd = os.pipe()
    server = _XServer([command[0], "-displayfd", str(write_fd), *command[1:]], env=env,
                      pass_fds=(write_fd,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(write_fd)
    with os.fdopen(read_fd) as answer:
        server.display = answer.readline().strip()
    if not server.display:
        server.kill()
        server.wait()
        raise RuntimeError(f"{command[0]} did not start")
    return server


X11_DRIVER_KEY = "[Software\\\\Wine\\\\X11 Driver]"
EXPLORER_KEY = "[Software\\\\Wine\\\\Explorer]"
DESKTOPS_KEY = "[Software\\\\Wine\\\\Explorer\\\\Desktops]"
DEBUG_KEY = "HKCU\\Software\\Wine\\Debug"
# Values the tests set in the prefix's registry, each for a while, and what
# a new prefix has there (None: nothing); a run killed half-way (a CTest
# timeout) leaves them behind for the next.
VALUES_TESTS_SET = (
    (X11_DRIVER_KEY, "UseXRandR", None),
    (EXPLORER_KEY, "Desktop", None),
    ("[Control Panel\\\\Desktop]", "LogPixels", "dword:00000060"),
    ("[Control Panel\\\\Desktop]", "SCRNSAVE.EXE", None),
    ("[Software\\\\Wine\\\\WineBrowser]", "Browsers", None),
    ("[Software\\\\Wine\\\\Debug]", "RelayInclude", None),
)
# What drive C: of a new prefix holds, with the programs' work folder; any
# other folder there is a test's.
PREFIX_FOLDERS = {"Program Files", "Program Files (x86)", "ProgramData", "users", "windows", "k_rova"}


def set_x11_driver_value(prefix, name, value):
    """Sets (or with None removes) a string value of Wine's X11 driver in the
    prefix's user registry file. Only while no wineserver runs on the prefix:
    the server keeps the registry in memory and writes it back as it ends."""
    set_user_value(prefix, X11_DRIVER_KEY, name, value)


def set_user_value(prefix, key, name, value, raw=False):
    """Sets (or with None removes) a string value under a key of the prefix's
    user registry file, as set_x11_driver_value; raw: the value as the file
    writes it ("dword:00000060")."""
    registry = pathlib.Path(prefix) / "user.reg"
    lines = registry.read_text(encoding="utf-8").split("\n")
    entry = f'"{name}"='
    try:
        start = next(i for i, line in enumerate(lines) if line.startswith(key + " "))
    except StopIteration:
        if value is None:
            return
        lines += [key + " 0", ""]
        start = len(lines) - 2
    end = next((i for i in range(start + 1, len(lines)) if lines[i].startswith("[")), len(lines))
    body = [line for line in lines[start + 1:end] if not line.startswith(entry)]
    if value is not None:
        blank = len(body) - 1 if body and body[-1] == "" else len(body)
        body.insert(blank, f'{entry}{value}' if raw else f'{entry}"{value}"')
    new_lines = lines[:start + 1] + body + lines[end:]
    if new_lines != lines:
        registry.write_text("\n".join(new_lines), encoding="utf-8")


class Screenshot:
    """A picture of the whole screen, kept as a PNG in the test's output."""

    def __init__(self, png_path):
        self.path = pathlib.Path(png_path)
        ppm = subprocess.run(["convert", str(self.path), "-depth", "8", "ppm:-"],
                             check=True, capture_output=True).stdout
        self.width, self.height, self._rgb = parse_ppm(ppm)

    def pixel(self, x, y):
        """(red, green, blue) of one pixel, 0 to 255 each."""
        at = 3 * (y * self.width + x)
        return tuple(self._rgb[at:at + 3])

    def mean(self, left=0, top=0, width=None, height=None):
        """Mean brightness of a rectangle (the whole screen by default), 0 to 1."""
        width = self.width - left if width is None else width
        height = self.height - top if height is None else height
        total = 0
        for y in range(top, top + height):
            row = 3 * (y * self.width + left)
            total += sum(self._rgb[row:row + 3 * width])
        return total / (3 * 255 * width * height)

    def differs_from(self, other):
        """Fraction of bytes that differ from another screenshot of the same size."""
        return sum(a != b for a, b in zip(self._rgb, other._rgb)) / len(self._rgb)

    def went_dark_from(self, other, lit=64, dark=32):
        """Fraction of bytes lit (`lit` or more) in another screenshot of the
        same size and dark (below `dark`) in this one: where something bright
        stood and has moved from. A fade, which only brightens, leaves none."""
        def mask(rgb, levels):
            return int.from_bytes(rgb.translate(bytes(int(v in levels) for v in range(256))), "little")
        return (mask(other._rgb, range(lit, 256)) & mask(self._rgb, range(dark))).bit_count() / len(self._rgb)

    def __repr__(self):
        return f"<screenshot {self.path.name}, mean {self.mean():.4f}>"


class SoundCapture:
    """What the null sink played, recorded in real time as 16-bit stereo."""

    def __init__(self, session, raw_path):
        self.path = pathlib.Path(raw_path)
        self.path.unlink(missing_ok=True)
        self._process = subprocess.Popen(
            ["parec", "-d", "capture.monitor", "--format=s16le", f"--rate={SAMPLE_RATE}",
             f"--channels={CHANNELS}", "--latency-msec=50", str(self.path)],
            env=session.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        # The recording counts only once samples flow (the sink plays silence
        # while nothing else plays): what is started after this is heard whole.
        wait_until(lambda: self.path.exists() and self.path.stat().st_size >= SAMPLE_RATE * CHANNELS * 2 // 10,
                   timeout=10, what="the sound recording to start")

    def stop(self):
        if self._process.poll() is None:
            self._process.send_signal(signal.SIGINT)
            try:
                self._process.wait(5)
            except subprocess.TimeoutExpired:
                self._process.kill()
                self._process.wait()
        return self

    def loudness(self, slice_seconds=0.1):
        """RMS of each slice of the recording, 0 to 1 of full scale."""
        samples = array.array("h")
        data = self.path.read_bytes()
        samples.frombytes(data[:len(data) - len(data) % 2])
        per_slice = int(SAMPLE_RATE * CHANNELS * slice_seconds)
        return [math.sqrt(sum(s * s for s in samples[i:i + per_slice]) / per_slice) / 32768.0
                for i in range(0, len(samples) - per_slice + 1, per_slice)]

    def recorded_seconds(self):
        """How much has been recorded so far: the recording's own clock."""
        return self.path.stat().st_size / (SAMPLE_RATE * CHANNELS * 2)

    def loud_seconds(self, threshold=0.01, slice_seconds=0.1):
        """How long the recording was louder than the threshold, in seconds."""
        return slice_seconds * sum(r > threshold for r in self.loudness(slice_seconds))


_desktop_numbers = itertools.count(1)


class WineProcess:
    """A Windows program started under Wine; `trace` is the file that holds
    Wine's trace of it, when one was asked for."""

    def __init__(self, popen, name, trace=None, output=None):
        self._popen = popen
        self.name = name
        self.trace = trace
        self.output = output

    def running(self):
        return self._popen.poll() is None

    @property
    def pid(self):
        """The Linux process that runs the program (Wine runs a Windows
        process in the process it was started as)."""
        return self._popen.pid

    def cpu_seconds(self):
        """CPU time the program has used so far, all its threads together."""
        fields = pathlib.Path(f"/proc/{self.pid}/stat").read_text().rsplit(")", 1)[1].split()
        # utime and stime, the 14th and 15th fields, in clock ticks.
        return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")

    def wait(self, timeout=DEFAULT_TIMEOUT):
        """The program's exit code; TimeoutError (after killing it) if it did not end."""
        try:
            return self._popen.wait(timeout)
        except subprocess.TimeoutExpired:
            self.kill()
            raise TimeoutError(f"{self.name} did not end within {timeout:.1f} s") from None

    def kill(self):
        if self.running():
            self._popen.kill()
            self._popen.wait()


class Session:
    def __init__(self, width=1024, height=768, depth=24, sound=False, locale="ja_JP.UTF-8",
                 xvfb_options=(), monitors=None, virtual_desktop=None):
        self.size = (width, height, depth)
        # Several monitors side by side, left to right, as (width, height)
        # pairs; the first is the primary. Wine then sees them through
        # Xinerama on a nested Xephyr, and the screen is their union.
        self.monitors = tuple(monitors) if monitors else None
        # (width, height) of a Wine virtual desktop that every program of the
        # session runs in, drawn as one X window at 0, 0 of a display big
        # enough to hold it: the one place where display modes really change.
        self.virtual_desktop = tuple(virtual_desktop) if virtual_desktop else None
        self.desktop_name = f"sorvane-{os.getpid()}-{next(_desktop_numbers)}" if virtual_desktop else None
        # More Xvfb arguments, such as ("-extension", "GLX") for a display
        # without OpenGL.
        self.xvfb_options = tuple(xvfb_options)
        self.sound = sound
        self.locale = locale
        self.prefix = _env_path("WINEPREFIX")
        self.output = output_dir()
        self._temp = None
        self._xvfb = None
        self._xephyr = None
        self._pulse_pid = None
        self._processes = []
        self._numbered_files = 0
        self._bound_characters = set()
        self.env = None

    # -- life cycle -------------------------------------------------------
    def __enter__(self):
        self.start()
        return self

    def __exit__(self, *exc):
        self.stop()

    def start(self):
        self._temp = pathlib.Path(tempfile.mkdtemp(prefix="sorvane-e2e-"))
        width, height, depth = self.size
        if self.monitors:
            width = sum(w for w, _ in self.monitors)
            height = max(h for _, h in self.monitors)
        self._xvfb = _start_x_server(
            ["Xvfb", "-screen", "0", f"{width}x{height}x{depth}", "-nolisten", "tcp", "-noreset",
             *self.xvfb_options], os.environ)
        display = self._xvfb.display
        if self.monitors:
            # Xephyr's windows on the Xvfb are its monitors, placed side by side.
            screens, left = [], 0
            for w, h in self.monitors:
                screens += ["-screen", f"{w}x{h}+{left}+0"]
                left += w
            self._xephyr = _start_x_server(
                ["Xephyr", "+xinerama", *screens, "-nolisten", "tcp", "-noreset"],
                dict(os.environ, DISPLAY=f":{display}"))
            display = self._xephyr.display

        client_conf = self._temp / "pulse-client.conf"
        client_conf.write_text("autospawn = no\n")
        env = dict(os.environ)
        env.update({
            "DISPLAY": f":{display}",
            "WINEPREFIX": str(self.prefix),
            "WINEDEBUG": "-all",
            "WINEDLLOVERRIDES": "mscoree,mshtml=",
            "LANG": self.locale,
            "LC_ALL": self.locale,
            # No sound server is started behind the session's back.
            "PULSE_CLIENTCONFIG": str(client_conf),
            "XDG_RUNTIME_DIR": str(self._temp),
        })
        env.pop("PULSE_SERVER", None)
        self.env = env
        # One wineserver per display: a running one may belong to another.
        # The new one stays up for the whole session, and Wine's background
        # processes start now, with no output, so that none of them holds the
        # output of a program the session reads.
        self._wineserver("-k")
        self._wineserver("-w")
        self._clear_what_tests_left()
        # Wine reads several monitors from Xinerama only; RandR, which it
        # prefers, reports Xephyr's as one. Set while no wineserver runs.
        set_x11_driver_value(self.prefix, "UseXRandR", "N" if self.monitors else None)
        self._set_virtual_desktop(self.virtual_desktop)
        self._wineserver("-p")
        subprocess.run(["wine", "cmd.exe", "/c", "exit"], env=self.env, check=False,
                       stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL, timeout=60)
        if self.sound:
            self._start_pulseaudio()

    def stop(self):
        for process in self._processes:
            process.kill()
        if self.env:
            self._wineserver("-k")
        if self._pulse_pid:
            try:
                os.kill(self._pulse_pid, signal.SIGTERM)
            except ProcessLookupError:
                pass
        if self.env:
            self._wineserver("-w")
            self._clear_what_tests_left()
            self._set_virtual_desktop(None)
        for server in (self._xephyr, self._xvfb):
            if server:
                server.terminate()
                server.wait()
        if self._temp:
            shutil.rmtree(self._temp, ignore_errors=True)

    def _clear_what_tests_left(self):
        """The prefix as a new one has it: the registry values tests set and
        the folders they made are gone, also after a killed run. Only while
        no wineserver runs."""
        for key, name, new_value in VALUES_TESTS_SET:
            set_user_value(self.prefix, key, name, new_value, raw=True)
        for entry in self.drive_c.iterdir():
            if entry.name in PREFIX_FOLDERS:
                continue
            if entry.is_dir():
                shutil.rmtree(entry, ignore_errors=True)
            else:
                entry.unlink(missing_ok=True)
        for installed in self.drive_c.glob("users/*/AppData/Local/Programs/Sorvane"):
            shutil.rmtree(installed, ignore_errors=True)

    def _set_virtual_desktop(self, size):
        """Every program in the named virtual desktop of that size, or (None)
        on the X display's own; only while no wineserver runs."""
        set_user_value(self.prefix, EXPLORER_KEY, "Desktop", self.desktop_name if size else None)
        if self.desktop_name:
            set_user_value(self.prefix, DESKTOPS_KEY, self.desktop_name,
                           f"{size[0]}x{size[1]}" if size else None)

    @contextlib.contextmanager
    def relay_trace(self, calls):
        """Wine's relay trace limited to these calls ("user32.AllowSetForegroundWindow;
        winmm.PlaySoundA") for the programs started with trace="relay" while
        it lasts."""
        self._reg("add", DEBUG_KEY, "/v", "RelayInclude", "/t", "REG_SZ", "/d", calls, "/f")
        try:
            yield
        finally:
            self._reg("delete", DEBUG_KEY, "/v", "RelayInclude", "/f")

    def _reg(self, *args):
        subprocess.run(["wine", "reg", *args], env=self.env, check=False, timeout=60,
                       stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def screen_size(self, timeout=DEFAULT_TIMEOUT):
        """(width, height) of the primary screen as Windows programs see it.
        Right after a mode change or a process start the desktop can answer
        for nothing: this waits until it answers, and fails with what it
        said, never with an empty answer."""
        return self.read_until_answered(("screen",), 2, timeout)[0]

    def read_until_answered(self, wintool_args, values_per_line, timeout=DEFAULT_TIMEOUT):
        """The lines wintool prints for these arguments, each split into
        whole numbers, once it exits 0 with at least one line of exactly
        values_per_line numbers; a TimeoutError with its last answer else."""
        said = []

        def answer():
            code, out = self.run_to_end(self.probe("wintool.exe"), *wintool_args)
            said[:] = [code, out]
            rows = [line.split() for line in out.splitlines() if line.strip()]
            if code != 0 or not rows or any(len(row) != values_per_line for row in rows):
                return None
            try:
                return [tuple(int(v) for v in row) for row in rows]
            except ValueError:
                return None

        try:
            return wait_until(answer, timeout, what=f"an answer to wintool {' '.join(wintool_args)}")
        except TimeoutError as error:
            raise TimeoutError(f"{error}; it last exited {said[0]} saying {said[1]!r}") from None

    def _wineserver(self, flag):
        subprocess.run(["wineserver", flag], env=self.env, check=False, timeout=30,
                       stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL)

    def _start_pulseaudio(self):
        subprocess.run(
            ["pulseaudio", "--daemonize=yes", "--exit-idle-time=-1", "-n", "--use-pid-file=yes",
             "--load=module-null-sink sink_name=capture",
             "--load=module-native-protocol-unix"],
            env=self.env, check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        pid_file = self._temp / "pulse" / "pid"
        self._pulse_pid = int(wait_until(lambda: pid_file.exists() and pid_file.read_text().strip(),
                                         what="the PulseAudio server"))
        self.env["PULSE_SERVER"] = f"unix:{self._temp / 'pulse' / 'native'}"
        subprocess.run(["pactl", "set-default-sink", "capture"], env=self.env, check=True)

    @contextlib.contextmanager
    def logical_dpi(self, dpi):
        """Programs started inside the block find the screen at this many
        dots per inch (Wine's LogPixels); 96 again after it."""
        def set_dpi(value):
            subprocess.run(["wine", "reg", "add", r"HKCU\Control Panel\Desktop", "/v", "LogPixels",
                            "/t", "REG_DWORD", "/d", str(value), "/f"],
                           env=self.env, check=True, capture_output=True)
        set_dpi(dpi)
        try:
            yield
        finally:
            set_dpi(96)

    # -- programs ---------------------------------------------------------
    def bin(self, name):
        return bin_dir() / name

    def probe(self, name):
        return probe_dir() / name

    @property
    def drive_c(self):
        return self.prefix / "drive_c"

    def install(self, folder, host=None, renderer=None):
        """Puts Sorvane into a folder (made if need be) as a user installs it:
        the host, and beside it the renderer as RENDERER_NAME, the build's
        own unless told. host: another program to start in the host's
        place, under its own name; renderer: another program to put in as
        the renderer, or False for none. Returns the folder."""
        folder = pathlib.Path(folder)
        folder.mkdir(parents=True, exist_ok=True)
        host = pathlib.Path(host) if host else self.bin(HOST_NAME)
        shutil.copy(host, folder / host.name)
        if renderer is not False:
            shutil.copy(renderer or self.bin(RENDERER_NAME), folder / RENDERER_NAME)
        return folder

    @contextlib.contextmanager
    def installed(self, name, host=None, renderer=None):
        """Sorvane installed, as install() puts it, in a folder of drive C: of
        that name which holds nothing else, for the block; the folder is
        gone after it."""
        folder = self.drive_c / name
        shutil.rmtree(folder, ignore_errors=True)
        try:
            yield self.install(folder, host, renderer)
        finally:
            shutil.rmtree(folder, ignore_errors=True)

    def run(self, program, *args, cwd=None, trace=None, env=None, output=False):
        """Starts a Windows program with the given command-line arguments.
        trace: Wine debug channels (such as "trace+cursor") to trace in this
        program and the programs it starts, each line led by the process id,
        into a file of the test output named by the process's `trace`.
        env: more environment variables for this program alone. output: what
        the program prints kept in a file of the test output, the process's
        `output`, to read while it runs."""
        if not pathlib.Path(program).is_file():
            raise FileNotFoundError(program)
        env, trace_path, sink = dict(self.env, **(env or {})), None, subprocess.DEVNULL
        output_path, printed = None, subprocess.DEVNULL
        if output:
            self._numbered_files += 1
            output_path = self.output / f"{pathlib.Path(program).stem}-output-{self._numbered_files:02d}.txt"
            printed = open(output_path, "wb")
        if trace:
            env = dict(env, WINEDEBUG=f"+pid,{trace}")
            self._numbered_files += 1
            trace_path = self.output / f"{pathlib.Path(program).stem}-trace-{self._numbered_files:02d}.txt"
            sink = open(trace_path, "wb")
        try:
            popen = subprocess.Popen(["wine", str(program), *args], env=env, cwd=cwd,
                                     stdout=printed, stderr=sink)
        finally:
            if trace:
                sink.close()
            if output:
                printed.close()
        process = WineProcess(popen, pathlib.Path(program).name, trace_path, output_path)
        self._processes.append(process)
        return process

    def end_programs(self, titles):
        """Ends every program this session started that still runs, and any
        process (such as a renderer the host started) that shows a window
        with one of the titles."""
        for process in self._processes:
            process.kill()
        self._processes.clear()
        code, _ = self.run_to_end(probe_dir() / "wintool.exe", "endall", *titles)
        if code != 0:
            raise RuntimeError(f"could not end the programs showing {titles}")

    def run_to_end(self, program, *args, timeout=DEFAULT_TIMEOUT):
        """Runs a program to its end: (exit code, what it printed)."""
        result = subprocess.run(["wine", str(program), *args], env=self.env, timeout=timeout,
                                capture_output=True)
        # Programs print ANSI text (code page 932 in Japanese): keep it readable.
        return result.returncode, result.stdout.decode("utf-8", errors="replace")

    # -- windows ----------------------------------------------------------
    def visible_windows(self, title):
        """X windows mapped on the display whose title is exactly title."""
        result = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", f"^{title}$"],
                                env=self.env, capture_output=True, text=True)
        return [int(w) for w in result.stdout.split()]

    def wait_for_window(self, title, timeout=DEFAULT_TIMEOUT):
        return wait_until(lambda: self.visible_windows(title), timeout,
                          f'a window titled "{title}"')[0]

    def wait_for_no_window(self, title, timeout=DEFAULT_TIMEOUT):
        wait_until(lambda: not self.find_window(title), timeout,
                   f'the window "{title}" to go')

    def wintool(self, *args, timeout=DEFAULT_TIMEOUT):
        """What wintool prints for these arguments (see tests/probes/wintool.cpp);
        LookupError when it exits with anything but 0, as for a window that
        is not there."""
        code, out = self.run_to_end(self.probe("wintool.exe"), *args, timeout=timeout)
        if code != 0:
            raise LookupError(f"wintool {' '.join(map(str, args))} exited {code}: {out!r}")
        return out

    def find_window(self, title):
        """The Windows handle of a top-level window titled title (hidden ones
        too), or None."""
        code, out = self.run_to_end(self.probe("wintool.exe"), "find", title)
        return int(out) if code == 0 else None

    def owner(self, title):
        """The Windows handle of the window that owns the top-level window
        titled title (0 for none)."""
        return int(self.wintool("owner", title))

    def client_rect(self, title):
        """(left, top, width, height) of a window's client area on the screen."""
        values = self.wintool("client", title).split()
        if len(values) != 4:
            raise LookupError(f'no client area of a window titled "{title}": {values!r}')
        return tuple(int(v) for v in values)

    def foreground(self):
        """The title of the foreground window; "" when there is none."""
        code, out = self.run_to_end(self.probe("wintool.exe"), "foreground")
        return out.strip() if code == 0 else ""

    def answer_message_box(self, title, says=None, owner=None, timeout=DEFAULT_TIMEOUT):
        """Waits for the message box titled title, checks that it holds the
        text `says` and that the window titled `owner` owns it (each when
        given), and closes it with Enter as a user does."""
        box = self.wait_for_window(title, timeout)
        if owner is not None:
            assert self.owner(title) == self.find_window(owner), f'the box is not owned by "{owner}"'
        if says is not None:
            code, _ = self.run_to_end(self.probe("wintool.exe"), "child", title, says)
            assert code == 0, f'the box does not say "{says}"'
        self.focus(box)
        self.key("Return")
        self.wait_for_no_window(title)

    # -- input ------------------------------------------------------------
    def _xdotool(self, *args):
        subprocess.run(["xdotool", *map(str, args)], env=self.env, check=True)

    def focus(self, window):
        """Gives the X input focus to a window (an id from wait_for_window).
        Without a window manager the focus otherwise follows the pointer, and
        Wine does not take it for windows that X does not manage."""
        self._xdotool("windowfocus", "--sync", window)

    def key(self, *keys, hold=PERSON_PACE):
        """Presses and releases keys by their X names ("Escape", "alt+F4"), one
        after another, each held down as long as a person would, delivered
        through XTEST to the window that has the input focus. (A program that
        looks at a key only between messages misses a press and release that
        arrive together.)"""
        for key in keys:
            self._xdotool("keydown", key)
            pace(hold)
            self._xdotool("keyup", key)

    @contextlib.contextmanager
    def holding(self, key):
        """The key held down while the block runs. A program that looks at a
        key only between messages, and is busy when it comes (taking the
        focus back, say), still sees it held, by the key's repeats."""
        self._xdotool("keydown", key)
        try:
            yield
        finally:
            self._xdotool("keyup", key)

    def bind_characters(self, text):
        """Binds each character of text that the keyboard map lacks, for the
        rest of the session, to a key that has none, so that type_text types
        it with a key of its own. xdotool alone binds such a character only
        while it types it, and Wine may look the key up after the binding is
        gone. Wine reads the map as a program starts: bind before."""
        missing = sorted({c for c in text if not c.isascii()} - self._bound_characters)
        if not missing:
            return
        display = self.env["DISPLAY"]
        keymap = subprocess.run(["xkbcomp", "-xkb", display, "-"], env=self.env, check=True,
                                capture_output=True, text=True).stdout
        symbols = keymap.index("xkb_symbols")
        taken = set(re.findall(r"key\s+<(\w+)>", keymap[symbols:]))
        spare = [name for name in re.findall(r"^\s*<(I\d+)>\s*=", keymap[:symbols], re.M) if name not in taken]
        if len(spare) < len(missing):
            raise RuntimeError(f"no spare keys to bind {missing} to")
        end = keymap.index("\n};", symbols)
        keys = "".join(f"\n    key <{name}> {{ [ U{ord(c):04X} ] }};" for name, c in zip(spare, missing))
        subprocess.run(["xkbcomp", "-w", "0", "-", display], env=self.env, check=True, capture_output=True,
                       input=keymap[:end] + keys + keymap[end:], text=True)
        self._bound_characters.update(missing)

    def type_text(self, text, delay=0.08):
        """Types text key by key into the window that has the input focus;
        characters the keyboard map lacks must be bound (bind_characters)."""
        self._xdotool("type", "--delay", round(delay * 1000), text)

    def mouse_move(self, x, y):
        self._xdotool("mousemove", "--sync", x, y)

    def click(self, x, y, button=1):
        self._xdotool("mousemove", "--sync", x, y, "click", button)

    def mouse_down(self, button=1):
        self._xdotool("mousedown", button)

    def mouse_up(self, button=1):
        self._xdotool("mouseup", button)

    # -- screen and sound -------------------------------------------------
    def screenshot(self, name=None):
        self._numbered_files += 1
        path = self.output / f"{name or 'shot'}-{self._numbered_files:02d}.png"
        subprocess.run(["import", "-silent", "-window", "root", str(path)],
                       env=self.env, check=True)
        return Screenshot(path)

    def record_sound(self, name="sound"):
        """Starts recording what is played; stop() ends it."""
        if not self.sound:
            raise RuntimeError("this session has no sound device: Session(sound=True)")
        return SoundCapture(self, self.output / f"{name}.raw")
