"""The presenter on Wayland, end to end: a headless compositor of the case's own (cage or sway
with screenshots through grim; weston with its screenshooter) and the real presenter on Qt's
wayland platform. Debian 12's cage has no virtual keyboard, so keys (wtype) and the pointer (a
virtual pointer of the case's own) are given under sway, another wlroots compositor. Run as root,
a case runs the compositor (which refuses root or should) and the presenter as the unprivileged
user QUORIX_E2E_USER (default "quorixtest", made by scripts/install-deps.sh)."""

import os
import pwd
import shutil
import socket
import struct
import time
from pathlib import Path

from harness import SCREEN_HEIGHT, SCREEN_WIDTH, Case, Failure, run_case
from picture import Picture, changes, filled, highlighted_lines

# The sample disc's grounds and menu colours, as they come out of the decoder.
WELCOME_RED, TITLE, HIGHLIGHT = (216, 24, 24), (224, 232, 240), (255, 208, 64)


class Compositor(Case):
    """One headless compositor and the presenter in it: kind is "cage", "sway", "weston" or
    "kiosk" (the kiosk service's start script, which runs cage itself)."""

    def __init__(self, kind, options, work, case_name):
        super().__init__(case_name, options, work)
        self.kind, self.compositor, self._pointer, self._user = kind, None, None, None
        if os.geteuid() == 0:
            name = os.environ.get("QUORIX_E2E_USER", "quorixtest")
            try:
                self._user = pwd.getpwnam(name)
            except KeyError:
                raise Failure(
                    f"no user '{name}' to run the compositor as (scripts/install-deps.sh makes it)"
                ) from None
        self.runtime = work / "runtime"
        self.runtime.mkdir(mode=0o700)
        self.env = {"PATH": "/usr/bin:/bin", "HOME": str(work), "LANG": "C.UTF-8",
                    "XDG_RUNTIME_DIR": str(self.runtime)}

    def command(self, argv, env):
        """argv run as the compositor's user, with only this case's environment and env."""
        pairs = [f"{key}={value}" for key, value in {**self.env, **env}.items()]
        user = [shutil.which("runuser"), "-u", self._user.pw_name, "--"] if self._user else []
        return [*user, "env", "-i", *pairs, *argv]

    def start(self, folder):
        """Starts the presenter in folder as the compositor's only client: cage (and the kiosk
        script's cage) runs it and ends with it; sway and weston are started once, first."""
        if self._user is not None:  # the compositor's user must reach the case's files
            for path, _, files in os.walk(self.work):
                for name in [path, *(os.path.join(path, f) for f in files)]:
                    os.chown(name, self._user.pw_uid, self._user.pw_gid)
        wlr = {"WLR_BACKENDS": "headless", "WLR_RENDERER": "pixman", "WLR_LIBINPUT_NO_DEVICES": "1"}
        client = {"QT_QPA_PLATFORM": "wayland"}
        if self.kind == "kiosk":
            path = {"PATH": f"{Path(self.options.quorix).parent}:/usr/bin:/bin"}
            self.presenter = self.spawn([self.options.kiosk, str(folder)],
                                        env={**wlr, **client, **path})
        elif self.kind == "cage":
            # cage shows a full-screen window's buffer straight on the output; its screen copies
            # then show a picture that can be seconds old. Turned upside down the output is drawn
            # by cage itself for every frame, and grim turns the copy back.
            argv = ["cage", "-r", "-r", "--", "env", "QT_QPA_PLATFORM=wayland", self.options.quorix]
            self.presenter = self.spawn(argv, str(folder), env=wlr)
            self._wait_socket("wayland-0", self.presenter)
        else:
            if self.compositor is None:
                self._start_compositor(wlr)
            self.presenter = self.spawn([self.options.quorix], str(folder), env=client)
        self.log(f"{self.kind}: the presenter started in {folder}")

    def _start_compositor(self, wlr):
        if self.kind == "sway":
            config = self.work / "sway.conf"
            # A dialog over a full-screen window gets the keyboard only when it is full screen
            # as well.
            config.write_text("output HEADLESS-1 mode 1024x768\ndefault_border none\n"
                              "for_window [title=.*] fullscreen enable\n")
            os.chmod(config, 0o644)
            self.compositor = self.spawn(["sway", "-c", str(config)], env=wlr)
            self._wait_socket("wayland-1", self.compositor)
            # A headless seat has no pointer: one made now is there when the presenter starts.
            self._pointer = VirtualPointer(self.runtime / "wayland-1")
            return
        self.compositor = self.spawn(
            ["weston", "--backend=headless-backend.so", "--use-pixman", "--width=1024",
             "--height=768", "--socket=wayland-quorix", "--idle-time=0", "--debug"])
        self._wait_socket("wayland-quorix", self.compositor)
        # weston's desktop fades in from black once its shell client runs: the presenter starts
        # after that, or its first seconds would not be seen.
        self.poll("weston's desktop", lambda: any(any(self.shot().pixel(x, 700))
                                                  for x in range(0, 1024, 64)),
                  timeout=30, interval=0.2, process=self.compositor)

    def _wait_socket(self, name, process):
        """Waits for the compositor's socket; its clients and tools use it from then on."""
        self.poll(f"{self.kind}'s Wayland socket", (self.runtime / name).exists, interval=0.05,
                  process=process)
        self.env["WAYLAND_DISPLAY"] = name

    def presenter_pid(self):
        """The process id of the presenter started under this case's compositor or script."""
        def find():
            for pid in map(int, self.tool("pgrep", "-x", "quorix", check=False).split()):
                ancestor = pid
                while ancestor > 1 and ancestor != self.presenter.pid:
                    try:
                        stat = Path(f"/proc/{ancestor}/stat").read_text()
                    except OSError:
                        break  # gone meanwhile
                    ancestor = int(stat.rsplit(")", 1)[1].split()[1])
                if ancestor == self.presenter.pid:
                    return pid
            return None

        return self.poll("the presenter's process", find)

    def grab(self):
        if self.kind != "weston":
            return Picture.from_ppm(self.tool("grim", "-t", "ppm", "-", text=False))
        # weston's screenshooter writes a PNG file into its current directory.
        folder = self.work / "shots"
        folder.mkdir(mode=0o777, exist_ok=True)
        os.chmod(folder, 0o777)
        self.tool("weston-screenshooter", cwd=str(folder), check=False)
        made = sorted(folder.iterdir())
        self.check(made, "weston-screenshooter made no picture")
        picture = Picture.from_file(made[-1])
        for path in made:
            path.unlink()
        return picture

    def key(self, *keys):
        """Key presses through the compositor's virtual keyboard (sway only); "shift+Right" is
        Right pressed while Shift is held."""
        self.log(f"keys {' '.join(keys)}")
        for key in keys:
            *held, name = key.split("+")
            press = [flag for modifier in held for flag in ("-M", modifier)]
            release = [flag for modifier in held for flag in ("-m", modifier)]
            # Each wtype brings a keyboard of its own: a key sent before the presenter has taken
            # that keyboard up is lost, so each waits a moment first.
            self.tool("wtype", "-s", "300", *press, "-k", name, *release, "-s", "50")

    def pointer(self, x, y, click=False):
        """Moves the pointer to (x, y) on the screen and, if click, clicks the left button there
        (sway only)."""
        self.log(f"pointer to {x},{y}{' and click' if click else ''}")
        self._pointer.move(x, y, SCREEN_WIDTH, SCREEN_HEIGHT)
        if click:
            self._pointer.click()
        # Moves in a row reach the presenter one by one, not as one.
        time.sleep(0.02)

    def close(self):
        if self._pointer is not None:
            self._pointer.socket.close()
        super().close()


class VirtualPointer:
    """A pointer device made through wlroots' virtual pointer protocol, spoken on the
    compositor's socket: the registry is read for the protocol's manager, which makes the device
    (ids 2 registry, 3 sync, 4 manager, 5 pointer)."""

    def __init__(self, path):
        self.socket = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
        self.socket.connect(str(path))
        self._send(1, 1, 2)  # wl_display.get_registry
        self._send(1, 0, 3)  # wl_display.sync
        data, manager = b"", None
        while True:
            while len(data) < 8 or len(data) < struct.unpack_from("<I", data, 4)[0] >> 16:
                chunk = self.socket.recv(4096)
                if not chunk:
                    raise Failure("the compositor closed the pointer's connection")
                data += chunk
            sender, size = struct.unpack_from("<II", data)
            body, data = data[8 : size >> 16], data[size >> 16 :]
            if sender == 3:
                break
            if sender == 2:  # wl_registry.global: name, interface, version
                length = struct.unpack_from("<I", body, 4)[0]
                if body[8 : 8 + length - 1] == b"zwlr_virtual_pointer_manager_v1":
                    manager = struct.unpack_from("<I", body)[0]
        if manager is None:
            raise Failure("the compositor has no virtual pointers")
        interface = b"zwlr_virtual_pointer_manager_v1\0"  # 32 bytes: no padding
        self._send(2, 0, manager, len(interface), interface, 1, 4)  # wl_registry.bind
        self._send(4, 0, 0, 5)  # create_virtual_pointer(seat: the default, id 5)

    def _send(self, target, opcode, *args):
        body = b"".join(a if isinstance(a, bytes) else struct.pack("<I", a) for a in args)
        self.socket.sendall(struct.pack("<II", target, (8 + len(body)) << 16 | opcode) + body)

    def move(self, x, y, width, height):
        stamp = int(time.monotonic() * 1000) & 0xFFFFFFFF
        self._send(5, 1, stamp, x, y, width, height)  # motion_absolute
        self._send(5, 4, stamp)  # frame

    def click(self):
        for state in (1, 0):
            stamp = int(time.monotonic() * 1000) & 0xFFFFFFFF
            self._send(5, 2, stamp, 0x110, state)  # button: BTN_LEFT pressed, released
            self._send(5, 4, stamp)
            time.sleep(0.05)


def sample_disc_menu(c):
    """The sample disc: its intro (red) fills the screen and runs, then the menu shows with entry
    1 highlighted. The screen's rectangle."""
    shutil.copytree(Path(c.options.source_dir) / "examples/disc/quorix", c.work / "disc/quorix")
    c.start(c.work / "disc")
    first = c.wait_for("a first picture", lambda shot: shot.width > 0, timeout=10)
    screen = (0, 0, first.width, first.height)
    # The titles stand in the middle of the backdrop, which fills the window without wide mode.
    menu = (first.width // 7, first.height // 8, first.width * 6 // 7, first.height * 7 // 8)

    c.wait_for("the intro (red) over the window", lambda s: filled(s, screen, WELCOME_RED, 0.6))
    c.wait_for("the intro running", changes(screen), timeout=5)
    c.wait_for("the menu with entry 1 highlighted",
               lambda shot: highlighted_lines(shot, menu, TITLE, HIGHLIGHT, 4) == [0], timeout=15)
    return screen


def run(cases):
    """Runs the case named by --case, cases[name] being (the compositor's kind, the test)."""

    def open_case(name, options, work):
        # The compositor runs as an unprivileged user, who must reach the case's files.
        os.chmod(work, 0o755)
        return Compositor(cases[options.case][0], options, work, name)

    run_case(open_case, lambda c: cases[c.options.case][1](c))
