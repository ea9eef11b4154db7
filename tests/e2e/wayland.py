"""The presenter on Wayland, end to end: a headless compositor of the test's own (cage or sway
with screenshots through grim, keys through wtype on sway; or weston with its screenshooter), the
real presenter on Qt's wayland platform, and waits that poll the screen. Debian 12's cage has no
virtual keyboard, so keys are given under sway, another wlroots compositor.

The pointer (sway only) is a virtual pointer device of the test's own: a headless seat has none.

A compositor refuses to run as root (cage) or should not: run as root, the test runs it and the
presenter as the unprivileged user QUORIX_E2E_USER (default "quorixtest", made by
scripts/install-deps.sh), with a runtime folder of that user's own.
"""

import os
import pwd
import shutil
import socket
import struct
import subprocess
import time
from pathlib import Path

from harness import SCREEN_HEIGHT, SCREEN_WIDTH, Failure, _end, run_case
from picture import Picture

# The sample disc's grounds and menu colours, as they come out of the decoder.
WELCOME_RED = (216, 24, 24)
SUNRISE_YELLOW = (240, 200, 20)
TITLE = (224, 232, 240)
HIGHLIGHT = (255, 208, 64)


class Compositor:
    """One headless compositor and the presenter in it: kind is "cage", "sway" or "weston"."""

    def __init__(self, kind, options, work, case_name):
        self.kind = kind
        self.name = case_name
        self.options = options
        self.work = work
        self.started = time.monotonic()
        self.process = None
        self._shots = []
        self._runs = 0
        self._user = None
        if os.geteuid() == 0:
            name = os.environ.get("QUORIX_E2E_USER", "quorixtest")
            try:
                self._user = pwd.getpwnam(name)
            except KeyError:
                raise Failure(
                    f"no user '{name}' to run the compositor as (scripts/install-deps.sh makes it)"
                ) from None
            os.chown(work, self._user.pw_uid, self._user.pw_gid)
        self.runtime = work / "runtime"
        self.runtime.mkdir(mode=0o700)
        self._own(self.runtime)
        self.socket = "wayland-quorix"
        self.env = {
            "PATH": "/usr/bin:/bin",
            "HOME": str(work),
            "XDG_RUNTIME_DIR": str(self.runtime),
            "LANG": "C.UTF-8",
        }

    def log(self, message):
        print(f"[{time.monotonic() - self.started:6.2f}s] {message}", flush=True)

    def check(self, condition, message):
        if not condition:
            raise Failure(message)

    def _own(self, path):
        if self._user is not None:
            for folder, _, files in os.walk(path):
                for name in [folder, *(os.path.join(folder, f) for f in files)]:
                    os.chown(name, self._user.pw_uid, self._user.pw_gid)

    def _command(self, argv, env=None):
        """argv run as the compositor's user, with only the given environment."""
        settings = {**self.env, **(env or {})}
        pairs = [f"{key}={value}" for key, value in settings.items()]
        if self._user is not None:
            return ["runuser", "-u", self._user.pw_name, "--", "env", "-i", *pairs, *argv]
        return ["env", "-i", *pairs, *argv]

    def copy_sample_disc(self):
        """The sample disc's media folder, as the folder 'disc/quorix' of the test's own."""
        root = self.work / "disc"
        source = Path(self.options.source_dir) / "examples" / "disc" / "quorix"
        shutil.copytree(source, root / "quorix")
        self._own(root)
        return root

    # --- starting --------------------------------------------------------------------------

    def start(self, program, cwd):
        """Starts the compositor with program (argv) as its only client: cage runs it and ends
        with it, sway and weston are started first and the program in them."""
        self._runs += 1
        log = open(self.work / f"{self.kind}-{self._runs}.log", "wb")
        client_env = {"QT_QPA_PLATFORM": "wayland"}
        env = {"WLR_BACKENDS": "headless", "WLR_RENDERER": "pixman", "WLR_LIBINPUT_NO_DEVICES": "1"}
        if self.kind == "sway" and getattr(self, "compositor", None) is not None:
            self.process = subprocess.Popen(
                self._command(list(program), {**client_env, "WAYLAND_DISPLAY": self.socket}),
                cwd=str(cwd), stdin=subprocess.DEVNULL, stdout=log, stderr=subprocess.STDOUT,
                start_new_session=True,
            )
        elif self.kind == "sway":
            config = self.work / "sway.conf"
            config.write_text(
                "output HEADLESS-1 mode 1024x768\ndefault_border none\n"
                # A dialog over a full-screen window gets the keyboard only when it is full
                # screen as well.
                "for_window [title=.*] fullscreen enable\n"
            )
            self._own(config)
            self.compositor = subprocess.Popen(
                self._command(["sway", "-c", str(config)], env), stdin=subprocess.DEVNULL,
                stdout=log, stderr=subprocess.STDOUT, start_new_session=True,
            )
            self.socket = "wayland-1"
            self._wait_socket(self.socket)
            self.process = subprocess.Popen(
                self._command(list(program), {**client_env, "WAYLAND_DISPLAY": self.socket}),
                cwd=str(cwd), stdin=subprocess.DEVNULL, stdout=log, stderr=subprocess.STDOUT,
                start_new_session=True,
            )
        elif self.kind == "weston":
            argv = [
                "weston", "--backend=headless-backend.so", "--use-pixman", "--width=1024",
                "--height=768", f"--socket={self.socket}", "--idle-time=0", "--debug",
            ]
            self.compositor = subprocess.Popen(
                self._command(argv), stdin=subprocess.DEVNULL, stdout=log,
                stderr=subprocess.STDOUT, start_new_session=True,
            )
            self._wait_socket(self.socket)
            # weston's desktop fades in from black once its shell client runs: the presenter
            # starts after that, or its first seconds would not be seen.
            deadline = time.monotonic() + 30
            while not any(any(self.shot().pixel(x, 700)) for x in range(0, 1024, 64)):
                if time.monotonic() > deadline:
                    raise Failure("weston showed no desktop within 30 s")
                time.sleep(0.2)
            self.process = subprocess.Popen(
                self._command(list(program), {**client_env, "WAYLAND_DISPLAY": self.socket}),
                cwd=str(cwd), stdin=subprocess.DEVNULL, stdout=log, stderr=subprocess.STDOUT,
                start_new_session=True,
            )
        else:
            # cage shows a full-screen window's buffer straight on the output; its screen copies
            # then show a picture that can be seconds old. Turned upside down the output is drawn
            # by cage itself for every frame, and grim turns the copy back.
            argv = ["cage", "-r", "-r", "--", "env", *[f"{k}={v}" for k, v in client_env.items()]]
            argv += list(program)
            self.process = subprocess.Popen(
                self._command(argv, env), cwd=str(cwd), stdin=subprocess.DEVNULL,
                stdout=log, stderr=subprocess.STDOUT, start_new_session=True,
            )
            self._wait_socket("wayland-0")
            self.socket = "wayland-0"
        log.close()
        self.log(f"{self.kind} started with {' '.join(program)}")

    def start_kiosk(self, folder):
        """The kiosk service's start script on folder, with the presenter under test as the
        "quorix" it runs."""
        self._runs += 1
        log = open(self.work / f"kiosk-{self._runs}.log", "wb")
        env = {
            "WLR_BACKENDS": "headless",
            "WLR_RENDERER": "pixman",
            "WLR_LIBINPUT_NO_DEVICES": "1",
            "QT_QPA_PLATFORM": "wayland",
            "PATH": f"{Path(self.options.quorix).parent}:/usr/bin:/bin",
        }
        self.process = subprocess.Popen(
            self._command([self.options.kiosk, str(folder)], env), stdin=subprocess.DEVNULL,
            stdout=log, stderr=subprocess.STDOUT, start_new_session=True,
        )
        log.close()
        self.log(f"{self.options.kiosk} {folder} started")

    def presenter_pid(self, timeout=20):
        """The process id of the presenter started by this test's compositor or script."""
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            parents = {}
            names = {}
            for entry in Path("/proc").iterdir():
                if entry.name.isdigit():
                    try:
                        stat = (entry / "stat").read_text()
                    except OSError:
                        continue
                    name = stat[stat.index("(") + 1 : stat.rindex(")")]
                    parents[int(entry.name)] = int(stat[stat.rindex(")") + 2 :].split()[1])
                    names[int(entry.name)] = name
            for pid, name in names.items():
                ancestor = parents.get(pid)
                while name == "quorix" and ancestor:
                    if ancestor == self.process.pid:
                        return pid
                    ancestor = parents.get(ancestor)
            time.sleep(0.1)
        raise Failure(f"no presenter started within {timeout} s")

    def _wait_socket(self, name):
        deadline = time.monotonic() + 20
        while not (self.runtime / name).exists():
            if time.monotonic() > deadline:
                raise Failure(f"{self.kind} made no Wayland socket within 20 s")
            time.sleep(0.05)

    # --- screen and keys -------------------------------------------------------------------

    def shot(self, label=""):
        if self.kind == "weston":
            return self._weston_shot(label)
        done = subprocess.run(
            self._command(["grim", "-t", "ppm", "-"], {"WAYLAND_DISPLAY": self.socket}),
            capture_output=True, timeout=30,
        )
        if done.returncode != 0:
            raise Failure(f"grim failed: {done.stderr.decode(errors='replace').strip()}")
        picture = Picture.from_ppm(done.stdout, label)
        self._shots = (self._shots + [picture])[-6:]
        return picture

    def _weston_shot(self, label):
        """weston's screenshooter writes a PNG file into its current directory."""
        folder = self.work / "shots"
        folder.mkdir(exist_ok=True)
        self._own(folder)
        before = set(folder.iterdir())
        subprocess.run(
            self._command(["weston-screenshooter"], {"WAYLAND_DISPLAY": self.socket}),
            cwd=str(folder), capture_output=True, timeout=30,
        )
        made = sorted(set(folder.iterdir()) - before)
        if not made:
            raise Failure("weston-screenshooter made no picture")
        picture = Picture.from_file(made[-1])
        picture.label = label
        for path in made:
            path.unlink()
        self._shots = (self._shots + [picture])[-6:]
        return picture

    def wait_for(self, description, test, timeout=20.0, interval=0.2):
        self.log(f"waiting for {description}")
        deadline = time.monotonic() + timeout
        while True:
            ended = self.process.poll() is not None
            picture = self.shot()
            if test(picture):
                self.log(f"seen: {description}")
                return picture
            if ended:
                raise Failure(f"the program ended before {description}")
            if time.monotonic() > deadline:
                picture.label = f"timeout {description}"
                raise Failure(f"{description}: not seen within {timeout:.0f} s")
            time.sleep(interval)

    def key(self, *keys):
        """Key presses through the compositor's virtual keyboard (sway only)."""
        self.log(f"keys {' '.join(keys)}")
        for key in keys:
            # Each wtype brings a keyboard of its own: a key sent before the presenter has taken
            # that keyboard up is lost, so each waits a moment first.
            done = subprocess.run(
                self._command(
                    ["wtype", "-s", "300", "-k", key, "-s", "50"],
                    {"WAYLAND_DISPLAY": self.socket},
                ),
                capture_output=True, timeout=15, text=True,
            )
            if done.returncode != 0:
                raise Failure(f"wtype {key} failed: {done.stderr.strip()}")

    def chord(self, modifier, key):
        """key pressed while modifier ("shift", "ctrl", "alt") is held (sway only)."""
        self.log(f"keys {modifier}+{key}")
        done = subprocess.run(
            self._command(
                ["wtype", "-s", "300", "-M", modifier, "-k", key, "-m", modifier, "-s", "50"],
                {"WAYLAND_DISPLAY": self.socket},
            ),
            capture_output=True, timeout=15, text=True,
        )
        if done.returncode != 0:
            raise Failure(f"wtype {modifier}+{key} failed: {done.stderr.strip()}")

    def pointer(self, x, y, click=False):
        """Moves the pointer to (x, y) on the screen and, if click, clicks the left button there
        (sway only)."""
        if getattr(self, "_pointer", None) is None:
            self._pointer = VirtualPointer(self.runtime / self.socket)
            # The seat gains a pointer with it: the presenter takes it up first.
            time.sleep(0.5)
        self.log(f"pointer to {x},{y}{' and click' if click else ''}")
        self._pointer.move(x, y, SCREEN_WIDTH, SCREEN_HEIGHT)
        if click:
            self._pointer.click()
        # Moves in a row reach the presenter one by one, not as one.
        time.sleep(0.02)

    def wait_exit(self, timeout):
        try:
            status = self.process.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            raise Failure(f"still running {timeout:.0f} s later") from None
        self.log(f"ended with status {status}")
        return status

    # --- the end ---------------------------------------------------------------------------

    def save_artifacts(self):
        folder = Path(self.options.artifacts) / self.name
        folder.mkdir(parents=True, exist_ok=True)
        print(f"e2e {self.name}: screenshots of the failure:", flush=True)
        for number, picture in enumerate(self._shots, 1):
            path = folder / f"{number:02d}-{''.join(c if c.isalnum() else '-' for c in picture.label or 'shot')[:50]}.png"
            path.write_bytes(picture.png())
            print(f"  {path}")
        for log in sorted(self.work.glob("*.log")):
            shutil.copy(log, folder / log.name)
            print(f"--- {log.name}, last lines ---")
            for line in log.read_text(errors="replace").splitlines()[-15:]:
                print(f"  {line}")

    def close(self):
        if getattr(self, "_pointer", None) is not None:
            self._pointer.socket.close()
        _end(self.process)
        _end(getattr(self, "compositor", None))


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


def moving(rect, threshold=30):
    """A screen test that holds once two screenshots in a row differ inside rect."""
    previous = []

    def test(shot):
        moved = bool(previous) and shot.differing(previous[-1], rect, step=4) > threshold
        previous[:] = [shot]
        return moved

    return test


def run(kind, test):
    """Runs one test function under a headless compositor of the given kind, started for it."""

    def add_arguments(parser):
        parser.add_argument("--kiosk", help="the kiosk service's start script")

    def open_case(name, options, work):
        # The compositor runs as an unprivileged user, who must reach the case's files.
        os.chmod(work, 0o755)
        return Compositor(kind, options, work, name)

    run_case(add_arguments, open_case, test)
