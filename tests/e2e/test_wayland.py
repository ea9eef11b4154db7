#!/usr/bin/env python3
"""The presenter natively on Wayland, under a headless compositor of the case's own (--case):
cage and weston (whose headless back end has no keyboard) show the sample disc; sway takes keys
(wtype) and a virtual pointer, which Debian 12's cage lacks; kiosk runs the kiosk service's start
script, whose status tells the service whether to start the presenter again. Run as root, the
compositor and the presenter run as QUORIX_E2E_USER (default "quorixtest")."""

import os
import pwd
import select
import shutil
import signal
import socket
import struct
import subprocess
import tempfile
import time
from pathlib import Path

import harness
from harness import SECOND_WINDOW_SIZE, Case, Failure
from media import CLIP_BORDER, CLIP_WIDTH, GREEN, RED, Clip, make_disc
from picture import FULL_SCREEN, SCREEN_HEIGHT, SCREEN_WIDTH, Picture, changes, filled, lit_lines

# The sample disc's grounds and menu colours, as they come out of the decoder.
WELCOME_RED, TITLE, HIGHLIGHT = (216, 24, 24), (224, 232, 240), (255, 208, 64)
# The generated clips' white square moves 120 clip pixels a second at 25 frames a second, round
# a track of this many pixels.
SQUARE_STEP, SQUARE_TRACK = 120 / 25, CLIP_WIDTH - 2 * CLIP_BORDER - 32
PLAY_ONCE = {"menumode": 0, "loopmode": 0, "logomode": 0}


class Compositor(Case):
    def __init__(self, name, options, work):
        super().__init__(name, options, work)
        self.kind, self.compositor, self.pointer, self._user = options.case, None, None, None
        os.chmod(work, 0o755)
        if os.geteuid() == 0:
            self._user = pwd.getpwnam(os.environ.get("QUORIX_E2E_USER", "quorixtest"))
        self.runtime = work / "runtime"
        self.runtime.mkdir(mode=0o700)
        self.env = {"PATH": "/usr/bin:/bin", "HOME": str(work), "LANG": "C.UTF-8",
                    "XDG_RUNTIME_DIR": str(self.runtime)}
        self.kiosk_env = {}

    def command(self, argv, env):
        """argv run as the compositor's user, with only this case's environment and env."""
        pairs = [f"{key}={value}" for key, value in {**self.env, **env}.items()]
        user = [shutil.which("runuser"), "-u", self._user.pw_name, "--"] if self._user else []
        return [*user, "env", "-i", *pairs, *argv]

    def start(self, folder):
        """cage (and the kiosk script's cage) runs the presenter and ends with it; sway and
        weston are started once, first."""
        if self._user is not None:
            subprocess.run(["chown", "-R", self._user.pw_name, self.work], check=True)
        wlr = {"WLR_BACKENDS": "headless", "WLR_RENDERER": "pixman", "WLR_LIBINPUT_NO_DEVICES": "1"}
        client = {"QT_QPA_PLATFORM": "wayland"}
        if self.kind == "kiosk":
            path = {"PATH": f"{Path(self.options.quorix).parent}:/usr/bin:/bin"}
            # As the service runs it: its main process passes on what the presenter tells.
            argv = [self.options.relay, self.options.kiosk, str(folder)]
            self.presenter = self.spawn(argv, env={**wlr, **client, **path, **self.kiosk_env})
        elif self.kind == "cage":
            # Upside down, the output is drawn by cage for every frame, not taken straight from
            # the window's buffer, whose screen copies can be seconds old; grim turns it back.
            # No platform named, as the kiosk service starts it: cage offers its XWayland too.
            # The presenter's requests to the compositor are logged.
            argv = ["cage", "-r", "-r", "--", "env", "WAYLAND_DEBUG=client", self.options.quorix]
            self.presenter = self.spawn(argv, str(folder), env=wlr)
            self._wait_socket("wayland-0", self.presenter)
        elif self.kind == "sway" and self.compositor is None:
            config = self.work / "sway.conf"
            # A dialog over a full-screen window gets the keyboard only when full screen too.
            config.write_text("output HEADLESS-1 mode 1024x768\ndefault_border none\n"
                              "for_window [title=.*] fullscreen enable\n")
            os.chmod(config, 0o644)
            self.compositor = self.spawn(["sway", "-c", str(config)], env=wlr)
            self._wait_socket("wayland-1", self.compositor)
            # A headless seat has no pointer: one made now is there when the presenter starts.
            self.pointer = VirtualPointer(self.runtime / "wayland-1")
        elif self.kind == "weston" and self.compositor is None:
            self.compositor = self.spawn(
                ["weston", "--backend=headless-backend.so", "--use-pixman", "--width=1024",
                 "--height=768", "--socket=wayland-quorix", "--idle-time=0", "--debug"])
            self._wait_socket("wayland-quorix", self.compositor)
            # The desktop fades in from black: the presenter starts after, to be seen at once.
            self.poll("weston's desktop", lambda: any(any(self.shot().pixel(x, 700))
                                                      for x in range(0, 1024, 64)),
                      timeout=30, interval=0.2, process=self.compositor)
        if self.kind in ("sway", "weston"):
            self.presenter = self.spawn([self.options.quorix], str(folder), env=client)

    def _wait_socket(self, name, process):
        self.poll(f"{self.kind}'s Wayland socket", (self.runtime / name).exists, interval=0.05,
                  process=process)
        self.env["WAYLAND_DISPLAY"] = name

    def grab(self):
        if self.kind != "weston":
            return Picture(self.tool("grim", "-t", "ppm", "-", text=False))
        folder = tempfile.mkdtemp(dir=self.work)
        os.chmod(folder, 0o777)
        self.tool("weston-screenshooter", cwd=folder, check=False)
        made = list(Path(folder).iterdir())
        self.check(made, "weston-screenshooter made no picture")
        return Picture.from_file(made[0])

    def key(self, *keys):
        """Key presses through wtype (sway only), "shift+Right" with Shift held."""
        for key in keys:
            *held, name = key.split("+")
            press = [flag for modifier in held for flag in ("-M", modifier)]
            release = [flag for modifier in held for flag in ("-m", modifier)]
            # Each wtype brings a keyboard of its own, lost to a key sent before it is taken up.
            self.tool("wtype", "-s", "300", *press, "-k", name, *release, "-s", "50")


class VirtualPointer:
    """A pointer made through wlroots' virtual pointer protocol, spoken on the compositor's
    socket (object ids: 2 registry, 3 sync, 4 manager, 5 pointer)."""

    def __init__(self, path):
        self.socket = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
        self.socket.connect(str(path))
        self._send(1, 1, 2)  # wl_display.get_registry
        self._send(1, 0, 3)  # wl_display.sync: its callback follows the last global
        data, sender, manager = b"", None, None
        while sender != 3:
            while len(data) < 8 or len(data) < struct.unpack_from("<I", data, 4)[0] >> 16:
                chunk = self.socket.recv(4096)
                if not chunk:
                    raise Failure("the compositor closed the pointer's connection")
                data += chunk
            sender, size = struct.unpack_from("<II", data)
            body, data = data[8 : size >> 16], data[size >> 16 :]
            # wl_registry.global: name, interface, version
            if sender == 2 and body[8:].startswith(b"zwlr_virtual_pointer_manager_v1\0"):
                manager = struct.unpack_from("<I", body)[0]
        if manager is None:
            raise Failure("the compositor has no virtual pointers")
        interface = b"zwlr_virtual_pointer_manager_v1\0"  # 32 bytes: no padding
        self._send(2, 0, manager, len(interface), interface, 1, 4)  # wl_registry.bind
        self._send(4, 0, 0, 5)  # create_virtual_pointer(seat: the default, id 5)

    def _send(self, target, opcode, *args):
        body = b"".join(a if isinstance(a, bytes) else struct.pack("<I", a) for a in args)
        self.socket.sendall(struct.pack("<II", target, (8 + len(body)) << 16 | opcode) + body)

    def move(self, x, y, click=False):
        stamp = lambda: int(time.monotonic() * 1000) & 0xFFFFFFFF
        self._send(5, 1, stamp(), x, y, SCREEN_WIDTH, SCREEN_HEIGHT)  # motion_absolute
        self._send(5, 4, stamp())  # frame
        for state in (1, 0) if click else ():
            time.sleep(0.05)
            self._send(5, 2, stamp(), 0x110, state)  # button: BTN_LEFT pressed, released
            self._send(5, 4, stamp())
        time.sleep(0.02)  # moves in a row reach the presenter one by one, not as one


def sample_disc_menu(c):
    """The sample disc: its intro (red) fills the screen and runs, then the menu shows with entry
    1 lit. The screen's rectangle."""
    shutil.copytree(Path(c.options.source_dir) / "examples/disc/quorix", c.work / "disc/quorix")
    c.start(c.work / "disc")
    first = c.wait_for("a first picture", lambda shot: shot.width > 0, timeout=10)
    screen = (0, 0, first.width, first.height)
    menu = (first.width // 7, first.height // 8, first.width * 6 // 7, first.height * 7 // 8)
    c.wait_for("the intro (red) over the window", lambda s: filled(s, screen, WELCOME_RED))
    c.wait_for("the intro running", changes(screen), timeout=5)
    c.wait_for("the menu with entry 1 highlighted",
               lambda shot: lit_lines(shot, menu, TITLE, HIGHLIGHT, 4) == [0], timeout=15)
    if c.kind == "cage":
        # Drawn on Wayland, the presenter never connects to cage's X display: that would start
        # XWayland for nothing. Nor does it keep a child of its own.
        session = str(c.presenter.pid)
        c.check(not c.tool("pgrep", "-s", session, "-x", "Xwayland", check=False),
                "XWayland was started")
        presenter = c.tool("pgrep", "-s", session, "-x", "quorix").split()[0]
        c.check(not c.tool("pgrep", "-P", presenter, check=False), "the presenter keeps a child")
        # Cage draws the frames of windows: the toolkit does not bring up GL to draw its own.
        c.check("libEGL_mesa" not in Path(f"/proc/{presenter}/maps").read_text(),
                "the presenter loaded a GL driver under cage")
        # The intro was handed to the compositor on a surface of its own, not painted through Qt.
        log = b"".join(path.read_bytes() for path in c.work.glob("cage-*.log"))
        c.check(b"get_subsurface" in log, "the picture was not shown on a subsurface")
    return screen


def square_moved(c, before, after, screen):
    """How far the clip's white square moved between two screenshots, in clip pixels, from -half
    to +half its track."""
    def square_x(shot):
        xs = [x for x, y in shot.points(*screen, step=2) if min(shot.pixel(x, y)) > 225]
        return sum(xs) / len(xs) * CLIP_WIDTH / screen[2] if len(xs) > 8 else None

    start, end = square_x(before), square_x(after)
    c.check(start is not None and end is not None, "the clip's square is not on screen")
    moved = (end - start) % SQUARE_TRACK
    return moved - SQUARE_TRACK if moved > SQUARE_TRACK / 2 else moved


def quits(c, key, after, expected=0):
    c.key(key)
    status = c.wait_exit(15)
    c.check(status == expected,
            f"the presenter ended with status {status} after {after}, not {expected}")


def sway(c):
    screen = FULL_SCREEN
    steps = make_disc(c.work / "steps/quorix", [Clip("Steps", "s.mpg", GREEN, 8)], PLAY_ONCE)
    c.start(steps.parent)
    # The pointer rests on the clip's ground, above the square's track: hidden while it plays.
    x, y = screen[2] // 2, screen[3] // 4
    spot = (x - 2, y - 2, x + 24, y + 24)
    c.pointer.move(x, y)
    c.wait_for("the clip (green) playing", lambda s: filled(s, screen, GREEN, 0.4), timeout=15)
    c.check(filled(c.shot(), spot, GREEN, 0.99), "the pointer shows over the playing clip")
    c.key("space")
    held = c.wait_for("the picture held after Space", changes(screen, still=True, limit=10), 5)
    c.hold("the paused picture", lambda s: s.differing(held, screen, step=4) < 10, 1)
    for key, frames in (("shift+Right", 1), ("ctrl+Right", 12), ("shift+Left", -1)):
        before = c.shot()
        c.key(key)
        held = c.wait_for(f"{key}: a new frame",
                          lambda s: s.differing(before, screen, step=4) > 10, timeout=5)
        moved = square_moved(c, before, held, screen)
        c.check(abs(moved - frames * SQUARE_STEP) < SQUARE_STEP / 2,
                f"{key} moved the picture by {moved / SQUARE_STEP:.2f} frames, not {frames}")

    # Over the paused clip the eighth move of the pointer brings up the position bar and the
    # pointer; a click on the bar right of its handle seeks on.
    bottom = (0, screen[3] * 7 // 8, screen[2], screen[3])
    for moved in range(1, 9):
        c.pointer.move(x + moved, y)
    bar = c.wait_for("the position bar and the pointer", lambda s: s.differing(
        held, bottom, step=2) > 50 and not filled(s, spot, GREEN, 0.99), timeout=5)
    # The row of button, panel and two buttons, found by what it changed: the bar lies in the
    # panel, its right part a third of the row from the row's right end.
    changed = [p for p in bar.points(*bottom, 2) if bar.differing(held, (*p, p[0] + 1, p[1] + 1))]
    left, right = min(p[0] for p in changed), max(p[0] for p in changed)
    top, low = min(p[1] for p in changed), max(p[1] for p in changed)
    c.pointer.move(right - (right - left) // 3, (top + low) // 2, click=True)
    sought = c.wait_for("a new frame after the click on the bar", lambda s: s.differing(
        bar, (0, 0, screen[2], bottom[1]), step=4) > 10, timeout=5)
    c.check(square_moved(c, bar, sought, screen) > 0,
            "the click right of the bar's handle did not seek on")
    quits(c, "Escape", "Esc in the clip")

    # A playable clip named .xyz: the second window, full screen here as every window.
    unknown = [Clip("Only", "clip.xyz", GREEN, 1)]
    c.start(make_disc(c.work / "unknown/quorix", unknown, PLAY_ONCE).parent)
    design = Picture.from_file(Path(c.options.source_dir) / "src/ui/pictures/cannot-play.bmp",
                               "-crop", "%dx%d+0+0" % SECOND_WINDOW_SIZE)
    c.wait_for("the second window", lambda s: s.shows(design, 0, 0, 16, 0.05), 15)
    # The clip was not played: a failure ended the presentation.
    quits(c, "Return", "the second window", expected=1)


def kiosk(c):
    c.start(make_disc(c.work / "played/quorix", [Clip("Red", "red.mpg", RED, 1)], PLAY_ONCE).parent)
    status = c.wait_exit(40)
    c.check(status == 0, f"the kiosk command ended with status {status} after a normal end")

    c.start(make_disc(c.work / "long/quorix", [Clip("Red", "red.mpg", RED, 30)], PLAY_ONCE).parent)
    pid = c.poll("the presenter's process", lambda: c.tool(  # in the script's session
        "pgrep", "-x", "quorix", "-s", str(c.presenter.pid), check=False).split())[0]
    os.kill(int(pid), signal.SIGSEGV)
    status = c.wait_exit(20)
    c.check(status != 0, "the kiosk command ended with status 0 after the presenter crashed")

    # A clip that does not open: its message closes by itself (QUORIX_UNATTENDED), and status 1
    # has the service start again. Meanwhile the presenter tells the service manager (a socket of
    # the test's own) that it is up, alive and stopping, through the relay: the service's watchdog
    # (WATCHDOG_PID) is the presenter's.
    with socket.socket(socket.AF_UNIX, socket.SOCK_DGRAM) as notify:
        notify.bind(f"\0quorix-e2e-{os.getpid()}")
        c.kiosk_env = {"NOTIFY_SOCKET": f"@quorix-e2e-{os.getpid()}", "WATCHDOG_USEC": "900000",
                       "WATCHDOG_PID": "1", "QUORIX_UNATTENDED": "3"}
        started = time.monotonic()
        c.start(make_disc(c.work / "gone/quorix", [Clip("G", "g.mpg", RED, 1, "x.mpg")],
                          PLAY_ONCE).parent)
        # Read as it comes, as the service manager does: a full socket holds the sender up.
        told = []
        while c.presenter.poll() is None or select.select([notify], [], [], 0)[0]:
            if select.select([notify], [], [], 0.1)[0]:
                told.append(notify.recv(99).decode())
            c.check(time.monotonic() - started < 40, "the presenter did not end in 40 s")
        status, took = c.wait_exit(1), time.monotonic() - started
        c.check(status == 1 and took > 3, f"status {status} {took:.1f} s after a failure")
    pings = told.count("WATCHDOG=1")
    c.check(told[-1:] == ["STOPPING=1"] and told.count("READY=1") == 1 and pings >= 6,
            f"the presenter told the service manager {told}")


if __name__ == "__main__":
    cases = {"cage": sample_disc_menu, "weston": sample_disc_menu, "sway": sway, "kiosk": kiosk}
    harness.run(lambda c: cases[c.kind](c), Compositor)
