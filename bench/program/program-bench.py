#!/usr/bin/env python3
"""Times the whole presenter against the mpv command line on one Xvfb of its own.

    bench/program/program-bench.py BUILD_DIR [--runs N] [--only startup,clipstart,ending,playing]
                                   [--clip PATH ...]

The screen is read with XGetImage through ctypes: the whole root window (about 5-15 ms a read
under Xvfb) where the whole picture matters, one row or one pixel (well under 1 ms) where that
tells enough. A timestamp is the first read whose picture satisfies the condition, so every figure
is late by at most one read. Supervisor ticks come from the presenter's opt-in timing trace
(QUORIX_TRACE=<file>; the same clock as time.monotonic()). Prints one line per figure; nothing is
asserted.
"""

import argparse
import ctypes
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time
import zlib
from pathlib import Path

HERE = Path(__file__).resolve().parent
SOURCE = HERE.parent.parent
sys.path.insert(0, str(SOURCE / "tests" / "e2e"))

from harness import SCREEN_HEIGHT, SCREEN_WIDTH, end, start_xvfb  # noqa: E402
from media import RED, make_clip  # noqa: E402

MPV_GPU = ["--vo=gpu", "--gpu-context=x11egl"]
MPV_X11 = ["--vo=x11"]


class _XImage(ctypes.Structure):
    _fields_ = [
        ("width", ctypes.c_int),
        ("height", ctypes.c_int),
        ("xoffset", ctypes.c_int),
        ("format", ctypes.c_int),
        ("data", ctypes.POINTER(ctypes.c_char)),
        ("byte_order", ctypes.c_int),
        ("bitmap_unit", ctypes.c_int),
        ("bitmap_bit_order", ctypes.c_int),
        ("bitmap_pad", ctypes.c_int),
        ("depth", ctypes.c_int),
        ("bytes_per_line", ctypes.c_int),
        ("bits_per_pixel", ctypes.c_int),
    ]


class Screen:
    """One connection for reading the root window's pixels."""

    def __init__(self, display_name):
        x11 = ctypes.CDLL("libX11.so.6")
        x11.XOpenDisplay.restype = ctypes.c_void_p
        x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
        x11.XDefaultRootWindow.restype = ctypes.c_ulong
        x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
        x11.XGetImage.restype = ctypes.POINTER(_XImage)
        x11.XGetImage.argtypes = [
            ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int,
            ctypes.c_uint, ctypes.c_uint, ctypes.c_ulong, ctypes.c_int,
        ]
        x11.XDestroyImage.argtypes = [ctypes.POINTER(_XImage)]
        x11.XCloseDisplay.argtypes = [ctypes.c_void_p]
        x11.XFlush.argtypes = [ctypes.c_void_p]
        self._x11 = x11
        self._xtest = None
        self._display = x11.XOpenDisplay(display_name.encode())
        if not self._display:
            raise OSError(f"cannot open X display {display_name}")
        self._root = x11.XDefaultRootWindow(self._display)

    def _fake(self):
        """The XTest extension on this connection: pointer input without starting a process for
        each event (an xdotool call alone takes several milliseconds)."""
        if self._xtest is None:
            xtest = ctypes.CDLL("libXtst.so.6")
            xtest.XTestFakeMotionEvent.argtypes = [
                ctypes.c_void_p, ctypes.c_int, ctypes.c_int, ctypes.c_int, ctypes.c_ulong,
            ]
            xtest.XTestFakeButtonEvent.argtypes = [
                ctypes.c_void_p, ctypes.c_uint, ctypes.c_int, ctypes.c_ulong,
            ]
            self._xtest = xtest
        return self._xtest

    def move(self, x, y):
        """Moves the pointer; returns the time the event was sent to the server."""
        self._fake().XTestFakeMotionEvent(self._display, -1, x, y, 0)
        sent = time.monotonic()
        self._x11.XFlush(self._display)
        return sent

    def button(self, pressed):
        self._fake().XTestFakeButtonEvent(self._display, 1, 1 if pressed else 0, 0)
        self._x11.XFlush(self._display)

    def grab(self):
        """The whole screen as BGRX bytes, 4 a pixel."""
        return self.area(0, 0, SCREEN_WIDTH, SCREEN_HEIGHT)

    def area(self, x, y, width, height):
        """A rectangle of the screen as BGRX bytes: a small one reads in well under 1 ms, so
        times taken from it are not blurred by the read itself."""
        image = self._x11.XGetImage(self._display, self._root, x, y, width, height, 0xFFFFFFFF, 2)
        if not image:
            raise OSError("XGetImage failed")
        try:
            size = image.contents.bytes_per_line * image.contents.height
            return ctypes.string_at(image.contents.data, size)
        finally:
            self._x11.XDestroyImage(image)

    def signature(self):
        return zlib.crc32(self.grab())

    def close(self):
        self._x11.XCloseDisplay(self._display)


def pixel(data, x, y):
    offset = (y * SCREEN_WIDTH + x) * 4
    return data[offset + 2], data[offset + 1], data[offset]


def load():
    return os.getloadavg()[0]


def median_line(name, values, unit="ms", scale=1000.0):
    values = sorted(v * scale for v in values)
    return (
        f"{name}: median {statistics.median(values):.0f} {unit}, min {values[0]:.0f}, "
        f"max {values[-1]:.0f} (n={len(values)}, load {load():.2f})"
    )


class Bench:
    def __init__(self, build, work):
        self.quorix = str(Path(build).resolve() / "src" / "app" / "quorix")
        self.work = work
        self.xvfb, self.display = start_xvfb(work / "xvfb.log")
        runtime = work / "runtime"
        runtime.mkdir(mode=0o700)
        self.env = dict(os.environ)
        for variable in ("WAYLAND_DISPLAY", "DBUS_SESSION_BUS_ADDRESS"):
            self.env.pop(variable, None)
        self.env.update(DISPLAY=self.display, QT_QPA_PLATFORM="xcb", XDG_RUNTIME_DIR=str(runtime))
        self.screen = Screen(self.display)
        self.trace = work / "trace.txt"

    def close(self):
        self.screen.close()
        end(self.xvfb)

    def spawn(self, command, cwd=None, trace=False, env=None):
        env = {**self.env, **(env or {})}
        if trace:
            self.trace.unlink(missing_ok=True)
            env["QUORIX_TRACE"] = str(self.trace)
        return subprocess.Popen(
            command, cwd=cwd, env=env, stdin=subprocess.DEVNULL,
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, start_new_session=True,
        )

    def ticks(self):
        if not self.trace.exists():
            return []
        lines = [line.split() for line in self.trace.read_text().splitlines()]
        return [int(fields[1]) / 1e9 for fields in lines if fields and fields[0] == "tick"]

    def watch(self, seconds, stop=None):
        """Reads the screen for seconds: [(time, signature)] of each change."""
        changes = []
        last = None
        end = time.monotonic() + seconds
        while time.monotonic() < end:
            signature = self.screen.signature()
            now = time.monotonic()
            if signature != last:
                changes.append((now, signature))
                last = signature
            if stop and stop(signature):
                break
        return changes

    def wait_until(self, condition, timeout, read=None):
        read = read or self.screen.grab
        end = time.monotonic() + timeout
        while time.monotonic() < end:
            data = read()
            now = time.monotonic()
            if condition(data):
                return now, data
        raise TimeoutError("the screen did not reach the awaited picture")

    def key(self, name):
        subprocess.run(["xdotool", "key", name], env=self.env, check=True)

    # --- start-up ---------------------------------------------------------------------------

    def first_window(self, command, cwd, seconds, trace=False):
        """From spawn: the first change of the screen, the time the screen reached its final
        picture (read after seconds), and the process's ticks."""
        baseline = self.screen.signature()
        start = time.monotonic()
        process = self.spawn(command, cwd, trace)
        changes = self.watch(seconds)
        end(process)
        # Let the server take the window down before the next run reads its baseline.
        self.watch(0.3)
        moved = [t for t, s in changes if s != baseline]
        final = changes[-1][1]
        settled = next(t for t, s in changes if s == final)
        if not moved:
            raise RuntimeError(f"{command[0]} never changed the screen")
        return moved[0] - start, settled - start, [t - start for t in self.ticks()]

    def startup(self, disc, runs):
        window, menu, tick, gpu, x11 = [], [], [], [], []
        for _ in range(runs):
            w, m, ticks = self.first_window([self.quorix, str(disc)], disc, 2.5, trace=True)
            window.append(w)
            menu.append(m)
            tick.append(ticks[0] if ticks else float("nan"))
            gpu.append(self.first_window(
                ["mpv", "--idle=once", "--force-window=yes", "--no-config", *MPV_GPU], None, 1.5
            )[0])
            x11.append(self.first_window(
                ["mpv", "--idle=once", "--force-window=yes", "--no-config", *MPV_X11], None, 1.5
            )[0])
        print(median_line("start-up quorix to first painted window (backdrop)", window))
        print(median_line("start-up quorix to first painted menu", menu))
        print(median_line("start-up quorix to first supervisor tick", tick))
        print(median_line("start-up quorix first tick to menu painted",
                          [m - t for m, t in zip(menu, tick)]))
        print(median_line("start-up mpv --vo=gpu --gpu-context=x11egl to first window", gpu))
        print(median_line("start-up mpv --vo=x11 to first window", x11))

    # --- clip start ---------------------------------------------------------------------------

    def clip_start(self, disc, runs, name, shown_test, cold=None):
        """Menu without intro; Enter starts the first entry's clip on the next tick. Esc returns to
        the menu, and Enter starts the same clip again: the second start reuses the libmpv core
        the first one used. shown_test tells the clip's first picture from one row of the screen
        (read on its own, well under 1 ms). A cold clip's pages are dropped from the page cache
        before each first start, so that it is read from its medium."""
        row = lambda: self.screen.area(0, FRAME_ROW, SCREEN_WIDTH, 1)
        figures = {"first": [], "again": []}
        enter_to_frame = []
        for _ in range(runs):
            process = self.spawn([self.quorix, str(disc)], disc, trace=True)
            time.sleep(2.2)  # the menu is up after the first tick
            if cold is not None:
                drop_cached(cold)
            for which in ("first", "again"):
                entered = time.monotonic()
                self.key("Return")
                shown, _ = self.wait_until(shown_test, 5, row)
                # The opening tick is the first one after the key: the key reaches the program
                # within milliseconds, and the tick after it opens the clip. (Not the last tick
                # before the frame: an open longer than a tick, from a slow medium, holds the
                # window thread, and the tick held back fires before the frame shows.)
                ticks = [t for t in self.ticks() if entered < t < shown]
                if not ticks:
                    raise RuntimeError("no tick between Enter and the frame in the trace")
                figures[which].append(shown - ticks[0])
                if which == "first":
                    enter_to_frame.append(shown - entered)
                time.sleep(0.5)
                self.key("Escape")
                time.sleep(1.5)
            end(process)
            self.watch(0.3)
        print(median_line(f"clip start {name}: opening tick to first frame, first clip",
                          figures["first"]))
        print(median_line(f"clip start {name}: opening tick to first frame, same clip again",
                          figures["again"]))
        print(median_line(f"clip start {name}: Enter to first frame (includes wait for tick)",
                          enter_to_frame))

    # --- ending -------------------------------------------------------------------------------

    def ending(self, disc, runs):
        """Menu, Esc shows the logo (state 2), the second Esc ends at once."""
        figures = []
        for _ in range(runs):
            process = self.spawn([self.quorix, str(disc)], disc)
            time.sleep(2.2)
            self.key("Escape")
            time.sleep(0.3)
            start = time.monotonic()
            self.key("Escape")
            process.wait(timeout=10)
            figures.append(time.monotonic() - start)
            self.watch(0.3)
        print(median_line("ending: Esc (state 2) to process exit, incl. xdotool ~ms", figures))
        # What xdotool alone costs, to subtract by eye.
        costs = []
        for _ in range(runs):
            start = time.monotonic()
            subprocess.run(["xdotool", "key", "shift"], env=self.env, check=True)
            costs.append(time.monotonic() - start)
        print(median_line("ending: one xdotool key call alone", costs))

    # --- playing ------------------------------------------------------------------------------

    def timed(self, command, cwd=None, env=None):
        out = self.work / "time.txt"
        process = self.spawn(["/usr/bin/time", "-v", "-o", str(out), *command], cwd, env=env)
        process.wait(timeout=120)
        fields = {}
        for line in out.read_text().splitlines():
            if ":" in line:
                key, _, value = line.strip().rpartition(": ")
                fields[key] = value
        cpu = float(fields["User time (seconds)"]) + float(fields["System time (seconds)"])
        rss = int(fields["Maximum resident set size (kbytes)"])
        return cpu, rss

    def playing(self, disc, clip, runs):
        """The presenter with the output it chooses here and with the GPU output forced, against
        the mpv command line with its plain X11 output, its own choice and its GPU output through
        EGL: interleaved, runs times each, so that a load change hits every one alike."""
        players = {
            "quorix (its own choice)": ([self.quorix, str(disc)], disc, {}),
            "mpv --vo=x11": (["mpv", "--no-config", "--fs", "--ao=null", *MPV_X11, str(clip)],
                             None, {}),
            "mpv (its own choice)": (["mpv", "--no-config", "--fs", "--ao=null", str(clip)],
                                     None, {}),
            "quorix, GPU output forced": ([self.quorix, str(disc)], disc,
                                          {"QUORIX_VIDEO_OUTPUT": "gpu"}),
            "mpv --vo=gpu --gpu-context=x11egl": (
                ["mpv", "--no-config", "--fs", "--ao=null", *MPV_GPU, str(clip)], None, {}),
        }
        figures = {name: [] for name in players}
        loads = []
        for _ in range(runs):
            for name, (command, cwd, env) in players.items():
                figures[name].append(self.timed(command, cwd, env))
                loads.append(load())
        median = {
            name: (statistics.median(c for c, _ in values), statistics.median(r for _, r in values))
            for name, values in figures.items()
        }
        print(f"playing 30 s full screen, median of {runs} interleaved runs "
              f"(load {min(loads):.2f}-{max(loads):.2f}):")
        for name, (cpu, rss) in median.items():
            cpus = " ".join(f"{c:.2f}" for c, _ in figures[name])
            print(f"  {name:36s} {cpu:6.2f} s CPU ({cpus}), {rss} KiB peak RSS")
        for ours, theirs in (("quorix (its own choice)", "mpv --vo=x11"),
                             ("quorix (its own choice)", "mpv (its own choice)"),
                             ("quorix, GPU output forced", "mpv --vo=gpu --gpu-context=x11egl")):
            print(f"  {ours} / {theirs}: CPU {median[ours][0] / median[theirs][0]:.2f}x, "
                  f"peak RSS {median[ours][1] / median[theirs][1]:.2f}x")


def sample_disc(work, name, intro, logomode):
    """A copy of the sample disc with intro and logomode set, in a folder named quorix as on
    the disc: the program finds its media folder by that name."""
    disc = work / name / "quorix"
    shutil.copytree(SOURCE / "examples" / "disc" / "quorix", disc)
    ini = disc / "quorix.ini"
    lines = ini.read_bytes().decode("cp1252").splitlines()
    lines = [f"intro={intro}" if l.startswith("intro=") else l for l in lines]
    lines = [f"logomode={logomode}" if l.startswith("logomode=") else l for l in lines]
    ini.write_bytes(("\r\n".join(lines) + "\r\n").encode("cp1252"))
    return disc


def red_menu_disc(work):
    """The sample disc without intro, its first entry a generated red clip."""
    disc = sample_disc(work, "red-menu", -1, 1)
    make_clip(disc / "welcome.mpg", RED, 4)
    return disc


def clip_menu_disc(work, clip, link=False):
    """The sample disc without intro, its first entry one of the disc's own clips, or a link to
    a clip given on the command line (which may be large, or on a slow medium)."""
    disc = sample_disc(work, f"menu-{clip.name.lower()}", -1, 1)
    if link:
        (disc / "welcome.mpg").unlink()
        (disc / "welcome.mpg").symlink_to(clip.resolve())
    else:
        shutil.copyfile(clip, disc / "welcome.mpg")
    return disc


def drop_cached(path):
    """Drops a file's pages from the page cache: its next read comes from its medium."""
    fd = os.open(path, os.O_RDONLY)
    try:
        os.posix_fadvise(fd, 0, 0, os.POSIX_FADV_DONTNEED)
    finally:
        os.close(fd)


# The row of the screen read to tell a clip's first picture: through the middle of the picture.
FRAME_ROW = 384


def is_red(row):
    """The red clip's ground at the screen's centre (BGRX)."""
    centre = row[(SCREEN_WIDTH // 2) * 4:(SCREEN_WIDTH // 2) * 4 + 3]
    return all(abs(a - b) < 40 for a, b in zip((centre[2], centre[1], centre[0]), RED))


def first_picture_test(clip):
    """A test of a screen row for the clip's first frame, stretched over the whole screen as the
    presenter shows it: at least 85 % of the row's pixels within 40 levels of ffmpeg's decode of
    that frame. The menu's backdrop and titles do not pass it."""
    decoded = subprocess.run(
        ["ffmpeg", "-nostdin", "-loglevel", "error", "-i", str(clip), "-frames:v", "1", "-vf",
         f"scale={SCREEN_WIDTH}:{SCREEN_HEIGHT}:flags=bilinear", "-f", "rawvideo", "-pix_fmt",
         "bgra", "-"],
        check=True, capture_output=True, timeout=60,
    ).stdout
    stride = SCREEN_WIDTH * 4
    expected = decoded[FRAME_ROW * stride:(FRAME_ROW + 1) * stride]

    def test(row):
        close = sum(
            1 for x in range(0, stride, 4)
            if all(abs(row[x + c] - expected[x + c]) < 40 for c in range(3))
        )
        return close >= 0.85 * SCREEN_WIDTH

    return test


def play_all_disc(work):
    disc = work / "play-all" / "quorix"
    disc.mkdir(parents=True)
    make_clip(disc / "long.mpg", RED, 30)
    (disc / "quorix.ini").write_bytes(
        b"[settings]\r\nmenumode=0\r\nloopmode=0\r\nlogomode=0\r\n\r\n[cliplist]\r\n"
        b"clip00=Long\r\n\r\n[filelist]\r\nLong=long.mpg\r\n"
    )
    return disc, disc / "long.mpg"


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("build")
    parser.add_argument("--runs", type=int, default=10)
    parser.add_argument("--only", default="startup,clipstart,ending,playing")
    parser.add_argument("--clip", action="append", default=[], type=Path,
                        help="clip start of this clip instead of the disc's own, read from its "
                             "medium each first start (bench/device/slow-medium.py makes one)")
    options = parser.parse_args()
    wanted = options.only.split(",")
    work = Path(tempfile.mkdtemp(prefix="quorix-bench-"))
    bench = Bench(options.build, work)
    try:
        print(f"# {time.strftime('%Y-%m-%d %H:%M')} Xvfb {SCREEN_WIDTH}x{SCREEN_HEIGHT}x24, "
              f"{os.cpu_count()} cores, load {load():.2f}", flush=True)
        if "startup" in wanted:
            bench.startup(sample_disc(work, "startup", -1, 1), options.runs)
        if "clipstart" in wanted and options.clip:
            for clip in options.clip:
                bench.clip_start(clip_menu_disc(work, clip, link=True), options.runs, clip.name,
                                 first_picture_test(clip), cold=clip)
        elif "clipstart" in wanted:
            bench.clip_start(red_menu_disc(work), options.runs, "red 4 s", is_red)
            for clip in sorted((SOURCE / "examples" / "disc" / "quorix").glob("*.[mM][pP][gG]")):
                bench.clip_start(clip_menu_disc(work, clip), options.runs, clip.name,
                                 first_picture_test(clip))
        if "ending" in wanted:
            bench.ending(sample_disc(work, "ending", -1, 1), options.runs)
        if "playing" in wanted:
            bench.playing(*play_all_disc(work), max(1, options.runs // 3))
    finally:
        bench.close()
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    main()
