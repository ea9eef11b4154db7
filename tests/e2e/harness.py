"""Cases with their helper processes, screenshots and waits that poll for a state until a deadline;
on X11, an Xvfb of the case's own, xdotool and ImageMagick's import."""

import argparse
import collections
import ctypes
import os
import select
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import traceback
from pathlib import Path

from picture import FULL_SCREEN, SCREEN_HEIGHT, SCREEN_WIDTH, Picture

SECOND_WINDOW_SIZE = (398, 296)  # the second window's 5970 x 4440 twips, 15 twips a pixel
FULL = lambda w, h: (w, h) == FULL_SCREEN[2:]
BOXED = lambda w, h: w < SCREEN_WIDTH and h < SCREEN_HEIGHT


class Failure(Exception):
    """A check that did not hold."""


def end(process):
    """Ends a process this harness started, with its process group."""
    for number in (15, 9):
        try:
            if process.poll() is not None:
                return
            os.killpg(process.pid, number)
            process.wait(timeout=3)
        except (ProcessLookupError, subprocess.TimeoutExpired):
            pass


def read_line(stream, timeout):
    """The next line a process writes to a pipe; None when none comes within timeout seconds."""
    deadline, text = time.monotonic() + timeout, getattr(stream, "pending", b"")
    while b"\n" not in text:
        ready, _, _ = select.select([stream], [], [], max(deadline - time.monotonic(), 0))
        chunk = os.read(stream.fileno(), 256) if ready else b""
        if not chunk:
            return None
        text += chunk
    line, stream.pending = text.split(b"\n", 1)
    return line.decode()


def start_xvfb(log_path):
    """An Xvfb on the first free display, which it picks itself: its process and display name."""
    with open(log_path, "wb") as log:
        process = subprocess.Popen(["Xvfb", "-displayfd", "1", "-screen", "0",
                                    f"{SCREEN_WIDTH}x{SCREEN_HEIGHT}x24", "-nolisten", "tcp",
                                    "-noreset"], stdout=subprocess.PIPE, stderr=log,
                                   start_new_session=True)
    number = read_line(process.stdout, 30)
    if not number:
        end(process)
        raise Failure("Xvfb did not report a display within 30 s")
    return process, ":" + number.strip()


class Case:
    """What every case has, on X11 or under a compositor."""

    def __init__(self, name, options, work):
        self.name, self.options, self.work = name, options, work
        self.started = time.monotonic()
        self.presenter, self.helpers, self.env = None, [], {}
        self._recent = collections.deque(maxlen=4)

    def log(self, message):
        print(f"[{time.monotonic() - self.started:6.2f}s] {message}", flush=True)

    def check(self, condition, message):
        if not condition:
            raise Failure(message)

    def command(self, argv, env):
        return list(argv)

    def spawn(self, argv, cwd=None, pipe=False, env=None):
        """Starts a program in a process group of its own, its output logged or (pipe) piped."""
        with open(self.work / f"{Path(argv[0]).name}-{len(self.helpers)}.log", "wb") as file:
            self.helpers.append(subprocess.Popen(
                self.command(argv, env or {}), cwd=cwd, env=self.env, stderr=file,
                stdout=subprocess.PIPE if pipe else file, start_new_session=True,
                stdin=subprocess.DEVNULL))
        return self.helpers[-1]

    def tool(self, *argv, cwd=None, check=True, text=True):
        """What a program writes; "" when it fails and check is off."""
        done = subprocess.run(self.command(argv, {}), cwd=cwd, env=self.env, capture_output=True,
                              timeout=30, text=text)
        self.check(done.returncode == 0 or not check, f"{argv} failed: {done.stderr}")
        return done.stdout if done.returncode == 0 else done.stdout[:0]

    def shot(self, **where):
        self._recent.append(self.grab(**where))
        return self._recent[-1]

    def wait_exit(self, timeout, process=None):
        try:
            status = (process or self.presenter).wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            raise Failure(f"the program was still running {timeout:.0f} s later") from None
        return status

    def poll(self, description, test, timeout=20.0, interval=0.1, process=None):
        """test() once true, before the deadline and while the presenter (or process) runs."""
        process, deadline = process or self.presenter, time.monotonic() + timeout
        while True:
            ended = process.poll() is not None
            found = test()
            if found:
                self.log(f"seen: {description}")
                return found
            if ended or time.monotonic() > deadline:
                raise Failure(f"{description}: not seen within {timeout:.0f} s"
                              + (f" (ended with status {process.returncode})" if ended else ""))
            time.sleep(interval)

    def wait_for(self, description, test, timeout=20.0, interval=0.15):
        """Takes screenshots until test(shot) holds; that shot."""
        return self.poll(description, lambda: (lambda p: test(p) and p)(self.shot()), timeout,
                         interval)

    def hold(self, description, test, seconds):
        """Checks test(shot) on every screenshot for a while, or until the presenter ends."""
        deadline = time.monotonic() + seconds
        while time.monotonic() < deadline and self.presenter.poll() is None:
            self.check(test(self.shot()), f"{description}: did not hold for {seconds} s")

    def save_artifacts(self):
        folder = Path(self.options.artifacts) / self.name
        folder.mkdir(parents=True, exist_ok=True)
        print(f"e2e {self.name}: screenshots and logs of the failure in {folder}", flush=True)
        for number, picture in enumerate(self._recent, 1):
            (folder / f"shot-{number}.ppm").write_bytes(picture.ppm())
        for kept in [*self.work.glob("*.log"), *self.work.glob("*.ppm")]:
            shutil.copy(kept, folder)

    def close(self):
        for process in reversed(self.helpers):
            end(process)


class _Cursor(ctypes.Structure):
    _fields_ = [(n, ctypes.c_short) for n in "xy"] + [
        (n, ctypes.c_ushort) for n in ("width", "height", "xhot", "yhot")] + [
        ("serial", ctypes.c_ulong), ("pixels", ctypes.POINTER(ctypes.c_ulong))]


class Session(Case):
    """A case on an X server of its own."""

    def __init__(self, name, options, work):
        super().__init__(name, options, work)
        self._display = None
        self.xvfb, display = start_xvfb(work / "xvfb.log")
        (work / "runtime").mkdir(mode=0o700)
        # Only this X server: no Wayland, and no session bus of a desktop the tests run in.
        self.env = {k: v for k, v in os.environ.items()
                    if k not in ("WAYLAND_DISPLAY", "DBUS_SESSION_BUS_ADDRESS")}
        self.env.update(DISPLAY=display, QT_QPA_PLATFORM="xcb",
                        XDG_RUNTIME_DIR=str(work / "runtime"))

    def start(self, folder):
        self.presenter = self.spawn([self.options.quorix], cwd=str(folder))

    def screen_saver(self, *options):
        """A session bus of the case's own with a screen saver service on it that reports each
        call ("Inhibit 41", "UnInhibit 41"), started with options; a function that reads the next
        report."""
        address = read_line(self.spawn(["dbus-daemon", "--session", "--nofork",
                                        "--print-address=1"], pipe=True).stdout, 10)
        self.check(address, "the session bus did not start")
        self.env["DBUS_SESSION_BUS_ADDRESS"] = address
        calls = self.spawn([self.options.screen_saver, *options], pipe=True).stdout
        self.check(read_line(calls, 10) == "ready", "the screen saver service did not start")
        return lambda timeout: read_line(calls, timeout)

    def grab(self, window="root"):
        return Picture(self.tool("import", "-window", str(window), "-depth", "8", "ppm:-",
                                 text=False))

    def windows(self, sizes, search=("--name", "^Quorix$")):
        """Visible windows that xdotool search finds whose size sizes(width, height) accepts."""
        found = []
        for window in self.tool("xdotool", "search", "--onlyvisible", *search, check=False).split():
            shell = self.tool("xdotool", "getwindowgeometry", "--shell", window, check=False)
            values = dict(line.split("=", 1) for line in shell.split() if "=" in line)
            if values and sizes(int(values["WIDTH"]), int(values["HEIGHT"])):  # else gone
                found.append(window)
        return found

    def focused(self, description, sizes, search=("--name", "^Quorix$"), process=None):
        """Waits for such a window to take the focus itself (nobody else would on a bare X
        server); its id, and for a window smaller than the screen, a shot of it once painted."""
        def up():
            focus = self.tool("xdotool", "getwindowfocus", check=False).strip()
            return focus in self.windows(sizes, search) and focus

        window, last = self.poll(description, up, process=process), []
        if sizes(*FULL_SCREEN[2:]):
            return window

        def painted():
            last[:] = [self.shot(window=window)] + last[:1]
            return len(last) == 2 and last[0].rgb == last[1].rgb and last[0]

        return window, self.poll(f"{description} painted", painted, process=process)

    def check_message(self, box, text):
        """Checks that a shot of a message box looks as the reference program's box with text on
        this display does. Run it when no other box is open."""
        reference = self.spawn([self.options.message_box, text])
        _, expected = self.focused("the reference message box", BOXED, process=reference)
        self.key("Return")
        self.check(self.wait_exit(10, reference) == 0, "the reference message box failed")
        self.check((box.width, box.height) == (expected.width, expected.height)
                   and box.differing(expected, (0, 0, box.width, box.height), 8, step=1) == 0,
                   f"the message box does not show '{text}'")

    def click(self, x, y, window):
        # No --sync: the pointer may already stand there, and then it never moves.
        self.tool("xdotool", "mousemove", "--window", str(window), str(x), str(y), "click", "1")

    def key(self, *keys):
        self.tool("xdotool", "key", "--delay", "60", *keys)

    def wait_pointer(self, visible, description):
        """Waits for the pointer to show or not, read through XFixes: screenshots never hold it."""
        if self._display is None:
            self._x11, xfixes = ctypes.CDLL("libX11.so.6"), ctypes.CDLL("libXfixes.so.3")
            self._x11.XOpenDisplay.restype = ctypes.c_void_p
            self._x11.XFree.argtypes = self._x11.XCloseDisplay.argtypes = [ctypes.c_void_p]
            self._cursor = xfixes.XFixesGetCursorImage
            self._cursor.restype, self._cursor.argtypes = ctypes.POINTER(_Cursor), [ctypes.c_void_p]
            self._display = self._x11.XOpenDisplay(self.env["DISPLAY"].encode())
            self.check(self._display, f"cannot open X display {self.env['DISPLAY']}")

        def shown():  # any pixel of the pointer's image not transparent
            pointer = self._cursor(self._display)
            image = pointer.contents
            seen = any(image.pixels[i] >> 24 for i in range(image.width * image.height))
            self._x11.XFree(pointer)
            return seen == visible

        self.poll(f"the pointer {'visible' if visible else 'blank'} {description}", shown, 5)

    def close(self):
        super().close()
        if self._display:
            self._x11.XCloseDisplay(self._display)
        end(self.xvfb)


def run(test, open_case=Session):
    """Runs one test function in a temporary folder of its own with what open_case(name, options,
    work) opens; exits 0 when it passes."""
    parser = argparse.ArgumentParser()
    for option in ("--quorix", "--source-dir", "--artifacts"):
        parser.add_argument(option, required=True)
    for option in ("--message-box", "--screen-saver", "--kiosk", "--relay", "--case"):
        parser.add_argument(option)
    options = parser.parse_args()
    name = "_".join(filter(None, [Path(sys.argv[0]).stem.removeprefix("test_"), options.case,
                                  os.environ.get("QUORIX_VIDEO_OUTPUT")]))
    shutil.rmtree(Path(options.artifacts) / name, ignore_errors=True)
    status, case = 1, None
    # Stopped from outside, the case still ends what it started: its processes have sessions of
    # their own, which a signal to this one does not reach.
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(1))
    with tempfile.TemporaryDirectory(prefix=f"e2e-{name}-") as work:
        try:
            # A current directory whose path holds "quorix" is taken as the media folder.
            if "quorix" in work.lower():
                raise Failure(f"the temporary folder {work} has 'quorix' in its path: set TMPDIR")
            case = open_case(name, options, Path(work))
            test(case)
            status = 0
        except Failure as failure:
            print(f"e2e {name}: FAILED: {failure}", flush=True)
        except Exception:
            traceback.print_exc()
            print(f"e2e {name}: FAILED with an error in the test", flush=True)
        finally:
            if case is not None and status != 0:
                case.save_artifacts()
            if case is not None:
                case.close()
    if status == 0:
        print(f"e2e {name}: passed in {time.monotonic() - case.started:.1f} s")
    sys.exit(status)
