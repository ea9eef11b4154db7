"""The end-to-end harness: an Xvfb of the case's own, the real presenter, keys and pointer moves
through xdotool, screenshots through ImageMagick's import, and waits that poll for a state until
a deadline. A failing case leaves its screenshots and logs under the artifacts folder."""

import argparse
import collections
import ctypes
import os
import select
import shutil
import subprocess
import sys
import tempfile
import time
import traceback
from pathlib import Path

from picture import SCREEN_HEIGHT, SCREEN_WIDTH, Picture

FULL_SCREEN = (0, 0, SCREEN_WIDTH, SCREEN_HEIGHT)
SECOND_WINDOW_SIZE = (398, 296)  # the second window's 5970 x 4440 twips, 15 twips a pixel


class Failure(Exception):
    """A check that did not hold."""


def _end(process, grace=3.0):
    """Ends a process this harness started, and its process group, by its id."""
    for number in (15, 9):
        try:
            if process is None or process.poll() is not None:
                return
            os.killpg(process.pid, number)
            process.wait(timeout=grace)
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


class XServer:
    """An Xvfb on the first free display number, which it picks and reports itself."""

    def __init__(self, log_path):
        read_end, write_end = os.pipe()
        with open(log_path, "wb") as log:
            self.process = subprocess.Popen(
                ["Xvfb", "-displayfd", str(write_end), "-screen", "0",
                 f"{SCREEN_WIDTH}x{SCREEN_HEIGHT}x24", "-nolisten", "tcp", "-noreset"],
                pass_fds=(write_end,), stdout=log, stderr=log, start_new_session=True)
        os.close(write_end)
        with open(read_end, "rb", buffering=0) as pipe:
            number = read_line(pipe, 30)
        if not number:
            self.stop()
            raise Failure("Xvfb did not report a display within 30 s")
        self.name = ":" + number.strip()

    def stop(self):
        _end(self.process)


class _Cursor(ctypes.Structure):
    _fields_ = [(n, ctypes.c_short) for n in "xy"] + [
        (n, ctypes.c_ushort) for n in ("width", "height", "xhot", "yhot")] + [
        ("serial", ctypes.c_ulong), ("pixels", ctypes.POINTER(ctypes.c_ulong))]


class Case:
    """What every case has, on X11 or under a compositor: a log, checks, screenshots (the last few
    and the labelled ones kept for a failure report) and waits that poll for a state."""

    def __init__(self, name, options, work):
        self.name, self.options, self.work = name, options, work
        self.started = time.monotonic()
        self.presenter, self.helpers, self.env = None, [], {}
        self._kept, self._recent = [], collections.deque(maxlen=4)

    def log(self, message):
        print(f"[{time.monotonic() - self.started:6.2f}s] {message}", flush=True)

    def check(self, condition, message):
        if not condition:
            raise Failure(message)

    def command(self, argv, env):
        """How argv is run for this case with env added to its environment."""
        return list(argv)

    def spawn(self, argv, cwd=None, pipe=False, env=None):
        """Starts a program in a process group of its own, its output to a log file or (pipe) to
        a pipe."""
        with open(self.work / f"{Path(argv[0]).name}-{len(self.helpers)}.log", "wb") as file:
            out = subprocess.PIPE if pipe else file
            self.helpers.append(subprocess.Popen(
                self.command(argv, env or {}), cwd=cwd, env=self.env, stdout=out, stderr=file,
                start_new_session=True, stdin=subprocess.DEVNULL))
        return self.helpers[-1]

    def tool(self, *argv, cwd=None, check=True, text=True):
        """What a program writes; "" when it fails and check is off."""
        done = subprocess.run(self.command(argv, {}), cwd=cwd, env=self.env, capture_output=True,
                              timeout=30, text=text)
        self.check(done.returncode == 0 or not check, f"{argv} failed: {done.stderr}")
        return done.stdout if done.returncode == 0 else done.stdout[:0]

    def shot(self, label=None, **where):
        picture = self.grab(**where)
        picture.label = label or ""
        (self._kept if label else self._recent).append(picture)
        return picture

    def wait_exit(self, timeout, process=None):
        """Waits for the presenter (or process) to end; its exit status."""
        try:
            status = (process or self.presenter).wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            raise Failure(f"the program was still running {timeout:.0f} s later") from None
        self.log(f"ended with status {status}")
        return status

    def poll(self, description, test, timeout=20.0, interval=0.1, process=None):
        """Calls test() until it returns something true, which it returns. Fails at the deadline,
        or once the presenter (or process) has ended."""
        process, deadline = process or self.presenter, time.monotonic() + timeout
        while True:
            ended = process.poll() is not None
            found = test()
            if found:
                self.log(f"seen: {description}")
                return found
            if ended or time.monotonic() > deadline:
                try:
                    self.shot(f"timeout {description}")
                except Failure:  # nothing on screen to take
                    pass
                raise Failure(f"{description}: not seen within {timeout:.0f} s"
                              + (f" (ended with status {process.returncode})" if ended else ""))
            time.sleep(interval)

    def wait_for(self, description, test, timeout=20.0, interval=0.15):
        """Takes screenshots until test(shot) holds; that shot."""
        picture = self.poll(description, lambda: (lambda p: test(p) and p)(self.shot()),
                            timeout, interval)
        picture.label = description
        self._kept.append(picture)
        return picture

    def hold(self, description, test, seconds):
        """Checks test(shot) on every screenshot for a while, or until the presenter ends."""
        deadline = time.monotonic() + seconds
        while time.monotonic() < deadline and self.presenter.poll() is None:
            self.check(test(self.shot()), f"{description}: did not hold for {seconds} s")

    def save_artifacts(self):
        folder = Path(self.options.artifacts) / self.name
        folder.mkdir(parents=True, exist_ok=True)
        print(f"e2e {self.name}: screenshots and logs of the failure in {folder}", flush=True)
        for number, picture in enumerate(self._kept + list(self._recent), 1):
            label = "".join(c if c.isalnum() else "-" for c in picture.label or "shot")[:60]
            (folder / f"{number:02d}-{label}.png").write_bytes(picture.png())
        for log in sorted(self.work.glob("*.log")):
            shutil.copy(log, folder / log.name)
            print(f"--- {log.name}, last lines ---\n{log.read_text(errors='replace')[-1500:]}")

    def close(self):
        for process in reversed(self.helpers):
            _end(process)


class Session(Case):
    """One case's X server, presenters and screenshots."""

    def __init__(self, name, options, work):
        super().__init__(name, options, work)
        self._display = None
        self.x = XServer(work / "xvfb.log")
        (work / "runtime").mkdir(mode=0o700)
        # Only this X server: no Wayland, and no session bus of a desktop the tests run in.
        self.env = {k: v for k, v in os.environ.items()
                    if k not in ("WAYLAND_DISPLAY", "DBUS_SESSION_BUS_ADDRESS")}
        self.env.update(DISPLAY=self.x.name, QT_QPA_PLATFORM="xcb",
                        XDG_RUNTIME_DIR=str(work / "runtime"))

    def start_presenter(self, cwd):
        self.presenter = self.spawn([self.options.quorix], cwd=str(cwd))
        self.log(f"presenter started in {cwd}")
        return self.presenter

    def screen_saver(self):
        """A session bus of the case's own with a screen saver service on it that reports each
        call ("Inhibit 41", "UnInhibit 41"); a function that reads the next report."""
        address = read_line(self.spawn(["dbus-daemon", "--session", "--nofork",
                                        "--print-address=1"], pipe=True).stdout, 10)
        self.check(address, "the session bus did not start")
        self.env["DBUS_SESSION_BUS_ADDRESS"] = address
        calls = self.spawn([self.options.screen_saver], pipe=True).stdout
        self.check(read_line(calls, 10) == "ready", "the screen saver service did not start")
        return lambda timeout: read_line(calls, timeout)

    def grab(self, window="root"):
        """A screenshot of the whole screen (or of one window, by id)."""
        return Picture.from_ppm(self.tool("import", "-window", str(window), "-depth", "8", "ppm:-",
                                          text=False))

    def windows(self, *search):
        """Visible windows that xdotool search finds: (id, width, height) each."""
        found = []
        for window in self.tool("xdotool", "search", "--onlyvisible", *search, check=False).split():
            shell = self.tool("xdotool", "getwindowgeometry", "--shell", window, check=False)
            values = dict(line.split("=", 1) for line in shell.split() if "=" in line)
            if values:  # else gone since the search
                found.append((int(window), int(values["WIDTH"]), int(values["HEIGHT"])))
        return found

    def message_boxes(self):
        """Windows titled "Quorix" smaller than the screen."""
        return [w for w in self.windows("--name", "^Quorix$") if w[1:] != FULL_SCREEN[2:]]

    def focused(self, description, sizes, search=("--name", "^Quorix$"), process=None):
        """Waits for a window of a size that sizes(width, height) accepts to take the keyboard
        focus (the program takes it itself: nobody else would on a bare X server); its id, and
        for a window smaller than the screen, a screenshot of it once painted."""
        def up():
            # At start the focus follows the pointer, which xdotool reports as an error.
            focus = self.tool("xdotool", "getwindowfocus", check=False).strip()
            return next((w for w, *size in self.windows(*search)
                         if sizes(*size) and str(w) == focus), None)

        window, last = self.poll(description, up, process=process), []
        if sizes(*FULL_SCREEN[2:]):
            return window

        def painted():  # two screenshots in a row alike
            last[:] = [self.shot(window=window)] + last[:1]
            return last[0] if len(last) == 2 and last[0].rgb == last[1].rgb else None

        picture = self.poll(f"{description} painted", painted, process=process)
        picture.label = description
        self._kept.append(picture)
        return window, picture

    def main_window(self):
        return self.focused("the full-screen main window", lambda w, h: (w, h) == FULL_SCREEN[2:])

    def message_box(self, process=None):
        return self.focused("a message box", lambda w, h: w < SCREEN_WIDTH and h < SCREEN_HEIGHT,
                            process=process)

    def second_window(self):
        """The untitled window shown when a clip cannot be played."""
        return self.focused("the second window", lambda w, h: (w, h) == SECOND_WINDOW_SIZE,
                            ("--pid", str(self.presenter.pid)))

    def check_message(self, box, text):
        """Checks that a screenshot of a message box shows text: the presenter's own message box
        with that text, drawn by the reference program on this display, must look the same (a
        box cannot be read back as text under X). Run it when no other box is open."""
        reference = self.spawn([self.options.message_box, text])
        _, expected = self.message_box(process=reference)
        self.key("Return")
        self.check(self.wait_exit(10, reference) == 0, "the reference message box failed")
        self.check((box.width, box.height) == (expected.width, expected.height)
                   and box.differing(expected, (0, 0, box.width, box.height), 8, step=1) == 0,
                   f"the message box does not show '{text}'")

    def click(self, x, y, window):
        # No --sync: the pointer may already stand there, and then it never moves.
        self.tool("xdotool", "mousemove", "--window", str(window), str(x), str(y), "click", "1")

    def key(self, *keys):
        """Real key presses (XTEST) to the window that has the focus."""
        self.log(f"keys {' '.join(keys)}")
        self.tool("xdotool", "key", "--delay", "60", *keys)

    def wait_pointer(self, visible, description):
        """Waits for the pointer to show or not: whether any pixel of the pointer image on
        screen is not transparent, read through XFixes (screenshots never hold the pointer)."""
        if self._display is None:
            self._x11, xfixes = ctypes.CDLL("libX11.so.6"), ctypes.CDLL("libXfixes.so.3")
            self._x11.XOpenDisplay.restype = ctypes.c_void_p
            self._x11.XFree.argtypes = self._x11.XCloseDisplay.argtypes = [ctypes.c_void_p]
            self._cursor = xfixes.XFixesGetCursorImage
            self._cursor.restype, self._cursor.argtypes = ctypes.POINTER(_Cursor), [ctypes.c_void_p]
            self._display = self._x11.XOpenDisplay(self.x.name.encode())
            self.check(self._display, f"cannot open X display {self.x.name}")

        def shown():
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
        self.x.stop()


def run_case(open_case, test):
    """Runs one test function in a temporary folder of its own with what open_case(name, options,
    work) opens (a session or a compositor); exits 0 when it passes."""
    parser = argparse.ArgumentParser()
    for option in ("--quorix", "--source-dir", "--artifacts"):
        parser.add_argument(option, required=True)
    for option in ("--message-box", "--screen-saver", "--kiosk", "--case"):
        parser.add_argument(option)
    options = parser.parse_args()
    name = "_".join(filter(None, [Path(sys.argv[0]).stem.removeprefix("test_"), options.case,
                                  os.environ.get("QUORIX_VIDEO_OUTPUT")]))
    shutil.rmtree(Path(options.artifacts) / name, ignore_errors=True)
    status = 1
    with tempfile.TemporaryDirectory(prefix=f"e2e-{name}-") as work:
        case = None
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
            if case is not None:
                if status != 0:
                    case.save_artifacts()
                case.close()
    if status == 0:
        print(f"e2e {name}: passed in {time.monotonic() - case.started:.1f} s")
    sys.exit(status)


def run(test):
    """Runs one test function with a fresh session on an X server of its own."""
    run_case(Session, test)
