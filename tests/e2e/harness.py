"""The end-to-end harness: an Xvfb of the test's own, the real presenter started in a media
folder, key presses and pointer moves through xdotool, screenshots through ImageMagick's import,
and waits that poll the screen until a condition holds or a deadline passes.

A test script calls run(test), where test takes a Session. A failing test leaves its screenshots
as PNG files under the artifacts folder (one folder per test) and prints their paths.
"""

import argparse
import collections
import os
import select
import shutil
import subprocess
import sys
import tempfile
import time
import traceback
from pathlib import Path

from picture import Picture
from pointer_image import PointerImage

SCREEN_WIDTH, SCREEN_HEIGHT = 1024, 768
FULL_SCREEN = (0, 0, SCREEN_WIDTH, SCREEN_HEIGHT)
# The second window's designed client area, 5970 x 4440 twips, at 15 twips a pixel.
SECOND_WINDOW_SIZE = (398, 296)


class Failure(Exception):
    """A check that did not hold."""


class XServer:
    """An Xvfb on the first free display number, which it picks and reports itself."""

    def __init__(self, log_path):
        read_end, write_end = os.pipe()
        self._log = open(log_path, "wb")
        try:
            self.process = subprocess.Popen(
                [
                    "Xvfb", "-displayfd", str(write_end),
                    "-screen", "0", f"{SCREEN_WIDTH}x{SCREEN_HEIGHT}x24",
                    "-nolisten", "tcp", "-noreset",
                ],
                pass_fds=(write_end,),
                stdout=self._log,
                stderr=subprocess.STDOUT,
                start_new_session=True,
            )
        finally:
            os.close(write_end)
        try:
            number = b""
            deadline = time.monotonic() + 30
            while not number.endswith(b"\n"):
                left = deadline - time.monotonic()
                ready, _, _ = select.select([read_end], [], [], max(left, 0))
                if not ready:
                    raise Failure("Xvfb did not report a display within 30 s")
                chunk = os.read(read_end, 16)
                if not chunk:
                    raise Failure(f"Xvfb ended at start with status {self.process.wait()}")
                number += chunk
        except BaseException:
            self.stop()
            raise
        finally:
            os.close(read_end)
        self.name = ":" + number.decode().strip()

    def stop(self):
        _end(self.process)
        self._log.close()


def _end(process, grace=3.0):
    """Ends a process this harness started, and its process group, by its id."""
    if process is None or process.poll() is not None:
        return
    try:
        os.killpg(process.pid, 15)
        process.wait(timeout=grace)
    except (ProcessLookupError, subprocess.TimeoutExpired):
        try:
            os.killpg(process.pid, 9)
        except ProcessLookupError:
            pass
        process.wait(timeout=grace)


class Session:
    """One test's X server, presenter and screenshots."""

    def __init__(self, name, options, work):
        self.name = name
        self.options = options
        self.work = work
        self.started = time.monotonic()
        self.presenter = None
        self._helpers = []
        self._kept = []  # screenshots named by the test, kept for a failure report
        self._recent = collections.deque(maxlen=4)  # the last unnamed screenshots
        self._pointer = None
        self._log_files = []
        self._runs = 0
        self.x = XServer(work / "xvfb.log")
        self._log_files.append(("Xvfb", work / "xvfb.log"))
        runtime = work / "runtime"
        try:
            runtime.mkdir(mode=0o700)
        except OSError:
            self.x.stop()
            raise
        self.env = dict(os.environ)
        # Only this X server: no Wayland, and no session bus of a desktop the tests run in.
        for variable in ("WAYLAND_DISPLAY", "DBUS_SESSION_BUS_ADDRESS"):
            self.env.pop(variable, None)
        self.env.update(
            DISPLAY=self.x.name,
            QT_QPA_PLATFORM="xcb",
            XDG_RUNTIME_DIR=str(runtime),
        )
        self.log(f"Xvfb on display {self.x.name}")

    # --- reporting -------------------------------------------------------------------------

    def log(self, message):
        print(f"[{time.monotonic() - self.started:6.2f}s] {message}", flush=True)

    def check(self, condition, message):
        if not condition:
            raise Failure(message)

    # --- the presenter ---------------------------------------------------------------------

    def start_presenter(self, cwd, args=()):
        """Starts the presenter with cwd as its current directory."""
        self._runs += 1
        log_path = self.work / f"quorix-{self._runs}.log"
        log = open(log_path, "wb")
        self._log_files.append(("presenter", log_path))
        self.presenter = subprocess.Popen(
            [self.options.quorix, *args],
            cwd=str(cwd),
            env=self.env,
            stdin=subprocess.DEVNULL,
            stdout=log,
            stderr=subprocess.STDOUT,
            start_new_session=True,
        )
        log.close()
        self.log(f"presenter started in {cwd}")
        return self.presenter

    def show_reference_message(self, text):
        """Shows the presenter's message box with text from the reference program; returns the
        process."""
        log_path = self.work / f"reference-{len(self._helpers)}.log"
        with open(log_path, "wb") as log:
            process = subprocess.Popen(
                [self.options.message_box, text],
                env=self.env,
                stdin=subprocess.DEVNULL,
                stdout=log,
                stderr=subprocess.STDOUT,
                start_new_session=True,
            )
        self._helpers.append(process)
        self._log_files.append(("reference message box", log_path))
        return process

    def wait_exit(self, timeout, process=None):
        """Waits for the presenter (or process) to end; its exit status."""
        process = process or self.presenter
        try:
            status = process.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            raise Failure(f"the program was still running {timeout:.0f} s later") from None
        if process is self.presenter:
            self.log(f"the presenter ended with status {status}")
        return status

    def _ended(self):
        return self.presenter is not None and self.presenter.poll() is not None

    # --- screen ----------------------------------------------------------------------------

    def shot(self, label=None, window="root"):
        """A screenshot of the whole screen (or of one window, by id)."""
        done = subprocess.run(
            ["import", "-window", str(window), "-depth", "8", "ppm:-"],
            env=self.env,
            capture_output=True,
            timeout=30,
        )
        if done.returncode != 0:
            raise Failure(f"import failed: {done.stderr.decode(errors='replace').strip()}")
        picture = Picture.from_ppm(done.stdout, label or "")
        if label:
            self._kept.append(picture)
        else:
            self._recent.append(picture)
        return picture

    def wait_for(self, description, test, timeout=20.0, interval=0.15):
        """Takes screenshots until test(shot) holds; that shot. Fails at the deadline, or at
        once when the presenter has ended."""
        self.log(f"waiting for {description}")
        deadline = time.monotonic() + timeout
        while True:
            ended = self._ended()
            picture = self.shot()
            if test(picture):
                picture.label = description
                self._kept.append(picture)
                self.log(f"seen: {description}")
                return picture
            if ended:
                raise Failure(
                    f"the program ended (status {self.presenter.returncode}) "
                    f"before {description}"
                )
            if time.monotonic() > deadline:
                picture.label = f"timeout {description}"
                self._kept.append(picture)
                raise Failure(f"{description}: not seen within {timeout:.0f} s")
            time.sleep(interval)

    def hold_for(self, description, test, seconds, interval=0.2):
        """Checks that test(shot) holds on every screenshot for a while."""
        deadline = time.monotonic() + seconds
        while time.monotonic() < deadline:
            picture = self.shot()
            if not test(picture):
                picture.label = f"broken {description}"
                self._kept.append(picture)
                raise Failure(f"{description}: did not hold for {seconds} s")
            time.sleep(interval)

    # --- windows and input -----------------------------------------------------------------

    def tool(self, *argv, timeout=15):
        done = subprocess.run(
            list(argv), env=self.env, capture_output=True, timeout=timeout, text=True
        )
        if done.returncode != 0 and argv[:2] != ("xdotool", "search"):
            raise Failure(f"{' '.join(argv)} failed: {done.stderr.strip()}")
        return done.stdout

    def windows_named(self, title):
        """Visible windows with exactly this title: (id, width, height) each."""
        ids = self.tool("xdotool", "search", "--onlyvisible", "--name", f"^{title}$").split()
        return self._sizes(ids)

    def presenter_windows(self):
        """The presenter's visible windows, whatever their titles: (id, width, height) each."""
        ids = self.tool(
            "xdotool", "search", "--onlyvisible", "--pid", str(self.presenter.pid)
        ).split()
        return self._sizes(ids)

    def _sizes(self, ids):
        """(id, width, height) of each window that still exists."""
        found = []
        for window in ids:
            done = subprocess.run(
                ["xdotool", "getwindowgeometry", "--shell", window],
                env=self.env,
                capture_output=True,
                timeout=15,
                text=True,
            )
            if done.returncode != 0:
                continue  # gone since the search
            values = dict(line.split("=", 1) for line in done.stdout.split() if "=" in line)
            found.append((int(window), int(values["WIDTH"]), int(values["HEIGHT"])))
        return found

    def wait_window(self, description, test, timeout=20.0, process=None):
        """Waits for a visible window titled "Quorix" that test(id, width, height) accepts,
        while the presenter (or process) runs."""
        process = process or self.presenter
        deadline = time.monotonic() + timeout
        while True:
            for window in self.windows_named("Quorix"):
                if test(*window):
                    self.log(f"window {description}: {window}")
                    return window
            if process.poll() is not None:
                raise Failure(
                    f"the program ended (status {process.returncode}) "
                    f"before its {description} appeared"
                )
            if time.monotonic() > deadline:
                self.shot(f"timeout {description}")
                raise Failure(f"no {description} within {timeout:.0f} s")
            time.sleep(0.1)

    def main_window(self, timeout=20.0):
        """The presenter's full-screen window, once it has the keyboard focus (the program
        takes it itself: nobody else would on a kiosk's bare X server)."""
        window = self.wait_window(
            "full-screen main window",
            lambda _, w, h: (w, h) == (SCREEN_WIDTH, SCREEN_HEIGHT),
            timeout,
        )[0]
        deadline = time.monotonic() + timeout
        while self.focused_window() != window:
            if time.monotonic() > deadline:
                raise Failure("the main window never got the keyboard focus")
            time.sleep(0.1)
        return window

    def focused_window(self):
        """The window with the keyboard focus; None while no window has it (at start the X
        server's focus follows the pointer, which xdotool reports as an error)."""
        done = subprocess.run(
            ["xdotool", "getwindowfocus"], env=self.env, capture_output=True, timeout=15, text=True
        )
        text = done.stdout.strip()
        return int(text) if done.returncode == 0 and text.isdigit() else None

    def message_box(self, timeout=20.0, process=None):
        """Waits for a message box (a window titled "Quorix" smaller than the screen) of the
        presenter (or process) to take the keyboard focus; its id and a screenshot of it."""
        window = self.wait_window(
            "message box",
            lambda _, w, h: 0 < w < SCREEN_WIDTH and 0 < h < SCREEN_HEIGHT,
            timeout,
            process,
        )[0]
        deadline = time.monotonic() + 5
        while self.focused_window() != window:
            if time.monotonic() > deadline:
                raise Failure("the message box never got the keyboard focus")
            time.sleep(0.1)
        time.sleep(0.3)  # let it finish painting
        return window, self.shot("message box", window=window)

    def check_message(self, box, text):
        """Checks that a screenshot of a message box shows text: the presenter's own message
        box with that text, drawn by the reference program on this display, must look the
        same. Run it when no other box is open."""
        reference = self.show_reference_message(text)
        _, expected = self.message_box(process=reference)
        self.key("Return")
        status = self.wait_exit(10, reference)
        self.check(status == 0, f"the reference message box ended with status {status}")
        expected.label = f"expected box {text}"
        self.check(
            (box.width, box.height) == (expected.width, expected.height),
            f"the message box is {box.width}x{box.height}, a box with the text '{text}' "
            f"is {expected.width}x{expected.height}",
        )
        wrong = box.differing(expected, (0, 0, box.width, box.height), threshold=8, step=1)
        self.check(
            wrong == 0,
            f"the message box does not show '{text}': {wrong} of its pixels differ from "
            "the reference box",
        )
        self.log(f"the message box shows '{text}'")

    def message_boxes(self):
        """The message boxes on screen: windows titled "Quorix" smaller than the screen."""
        return [w for w in self.windows_named("Quorix") if w[1:] != (SCREEN_WIDTH, SCREEN_HEIGHT)]

    def second_window(self, timeout=20.0):
        """Waits for the presenter's second window (the untitled SECOND_WINDOW_SIZE window shown
        when a clip cannot be played) to take the keyboard focus; its id and a screenshot."""
        deadline = time.monotonic() + timeout
        while True:
            windows = self.presenter_windows()
            found = [w for w, *size in windows if tuple(size) == SECOND_WINDOW_SIZE]
            if found and self.focused_window() == found[0]:
                self.log(f"second window {found[0]}")
                time.sleep(0.3)  # let it finish painting
                return found[0], self.shot("second window", window=found[0])
            if self.presenter.poll() is not None:
                raise Failure(
                    f"the program ended (status {self.presenter.returncode}) "
                    "before its second window appeared"
                )
            if time.monotonic() > deadline:
                self.shot("timeout second window")
                raise Failure(f"no second window with the focus within {timeout:.0f} s")
            time.sleep(0.1)

    def click(self, x, y, window=None):
        """A left click at (x, y), on the screen or inside a window."""
        self.log(f"click at {(x, y)}" + (f" in window {window}" if window else ""))
        where = ["--window", str(window)] if window else []
        self.tool("xdotool", "mousemove", "--sync", *where, str(x), str(y), "click", "1")

    def key(self, *keys):
        """Real key presses (XTEST) to the window that has the focus."""
        self.log(f"keys {' '.join(keys)}")
        self.tool("xdotool", "key", "--delay", "60", *keys)

    def move(self, x, y):
        self.tool("xdotool", "mousemove", "--sync", str(x), str(y))

    def drag(self, start, end, steps=8):
        """Presses the left button at start, moves to end in steps, releases."""
        self.log(f"drag from {start} to {end}")
        self.move(*start)
        self.tool("xdotool", "mousedown", "1")
        try:
            for i in range(1, steps + 1):
                x = start[0] + (end[0] - start[0]) * i // steps
                y = start[1] + (end[1] - start[1]) * i // steps
                self.move(x, y)
                time.sleep(0.08)
        finally:
            self.tool("xdotool", "mouseup", "1")

    def pointer_pixels(self):
        """Visible pixels of the pointer image on screen now, and the cursor's name."""
        if self._pointer is None:
            self._pointer = PointerImage(self.x.name)
        return self._pointer.visible_pixels()

    def wait_pointer(self, visible, description, timeout=5.0):
        """Waits until the pointer on screen is visible (or blank)."""
        deadline = time.monotonic() + timeout
        while True:
            pixels, name = self.pointer_pixels()
            if (pixels > 0) == visible:
                self.log(f"pointer {'visible' if visible else 'blank'} ({pixels} px, '{name}')")
                return
            if time.monotonic() > deadline:
                self.shot(f"pointer {description}")
                raise Failure(
                    f"{description}: the pointer is {'blank' if pixels == 0 else 'visible'} "
                    f"({pixels} visible pixels, cursor '{name}')"
                )
            time.sleep(0.1)

    # --- the README's pictures ------------------------------------------------------------

    def save_for_readme(self, picture, name):
        """With QUORIX_E2E_SCREENSHOTS set to a folder, keeps picture there as name, 640 pixels
        wide."""
        folder = os.environ.get("QUORIX_E2E_SCREENSHOTS")
        if not folder:
            return
        Path(folder).mkdir(parents=True, exist_ok=True)
        target = Path(folder) / name
        subprocess.run(
            ["convert", "png:-", "-resize", "640x", "-strip", f"png:{target}"],
            input=picture.png(),
            check=True,
            timeout=60,
        )
        self.log(f"kept {target}")

    # --- the end ---------------------------------------------------------------------------

    def save_artifacts(self):
        folder = Path(self.options.artifacts) / self.name
        folder.mkdir(parents=True, exist_ok=True)
        pictures = self._kept + [p for p in self._recent if p not in self._kept]
        print(f"e2e {self.name}: screenshots of the failure:", flush=True)
        for number, picture in enumerate(pictures, 1):
            label = "".join(c if c.isalnum() else "-" for c in (picture.label or "shot"))
            path = folder / f"{number:02d}-{label[:60]}.png"
            path.write_bytes(picture.png())
            print(f"  {path}")
        for title, path in self._log_files:
            if path.exists():
                text = path.read_text(errors="replace").splitlines()
                shutil.copy(path, folder / path.name)
                print(f"--- {title} output, last lines ({folder / path.name}) ---")
                for line in text[-15:]:
                    print(f"  {line}")

    def close(self):
        for process in self._helpers:
            _end(process)
        _end(self.presenter)
        if self._pointer is not None:
            self._pointer.close()
        self.x.stop()


def run_case(add_arguments, open_case, test):
    """Runs one test function in a temporary folder of its own with what open_case(name, options,
    work) opens (a session or a compositor); exits 0 when it passes. A failure keeps the case's
    screenshots."""
    parser = argparse.ArgumentParser()
    parser.add_argument("--quorix", required=True, help="the presenter program")
    parser.add_argument("--source-dir", required=True, help="the project's source folder")
    parser.add_argument("--artifacts", required=True, help="folder for failure screenshots")
    add_arguments(parser)
    options = parser.parse_args()
    name = Path(sys.argv[0]).stem.removeprefix("test_")
    shutil.rmtree(Path(options.artifacts) / name, ignore_errors=True)

    status = 1
    with tempfile.TemporaryDirectory(prefix=f"e2e-{name}-") as work:
        case = None
        try:
            if "quorix" in work.lower():
                # A current directory whose path holds "quorix" is taken as the media folder.
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

    def add_arguments(parser):
        parser.add_argument("--message-box", required=True, help="the reference message box")
        parser.add_argument(
            "--screen-saver", help="a session screen saver service reporting its calls"
        )

    run_case(add_arguments, Session, test)
