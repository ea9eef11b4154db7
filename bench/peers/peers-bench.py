#!/usr/bin/env python3
"""The presenter beside the players a user would pick instead, on one screen without a GPU.

    bench/peers/peers-bench.py BUILD_DIR [--runs N] [--screens 1920x1080,1024x768]
                               [--clips small,hd] [--wayland] [--only quorix,mpv-x11,...]

Each clip is played once full screen by each player in turn (interleaved, RUNS rounds), and
each play is charged with the CPU of the player (user + system, all its threads and children)
and of the display server over the same time: the X server (an Xvfb of its own, one per
screen size) or, with --wayland, the compositor (headless cage drawing with pixman; its one output is
1280x720, which cage does not let be changed, so --screens does not apply). Peak resident memory is the player's own.

The X server runs a window manager (openbox): without one, mpv's own choice and VLC ignore
their full-screen option and draw the clip at its own size in a corner, which costs a fraction
of scaling it to the screen. Halfway through each play on X11 the middle row and column of the
screen are read: the share of them the picture lights is printed beside the figures ("lit"),
so a play that did not fill the screen shows.

Players on X11:
- quorix: the presenter on a one-clip play-all disc (no menu, no logo, `interval=100`), from
  its start to its own exit;
- mpv-x11: `mpv --vo=x11`, mpv's cheapest output on such a screen (software scaling, shared
  memory images);
- mpv: mpv's own choice of output;
- vlc: `cvlc` with its own choice (it refuses root: run as QUORIX_BENCH_USER, default
  quorixtest, when the benchmark runs as root);
- mpv-x11-fill, only when named in --only: `mpv --vo=x11 --keepaspect=no`, mpv's cheapest output
  stretched over the whole screen as the presenter stretches the clip: the same work, for
  telling what the presenter costs from what its filling of the screen costs.
Under cage: quorix, mpv-wlshm (`--vo=wlshm`) and mpv.

The clips are silent, so that no player pays for a sound output the others lack:
- small: 10 s of 352x288 MPEG-1 at 1500 kbit/s, as an old disc holds;
- hd: 20 s of 1920x1080 H.264 at 25 frames a second.
Prints one line a play and a table of medians; nothing is asserted. Needs Xvfb, mpv, vlc,
openbox, ffmpeg, GNU time, and for --wayland cage.
"""

import argparse
import importlib.util
import os
import pwd
import shutil
import statistics
import subprocess
import tempfile
import time
from pathlib import Path

_spec = importlib.util.spec_from_file_location(
    "program_bench", Path(__file__).resolve().parent.parent / "program" / "program-bench.py")
program_bench = importlib.util.module_from_spec(_spec)
_spec.loader.exec_module(program_bench)

CLIPS = {
    "small": ("small.mpg", 10, ["-f", "lavfi", "-i", "testsrc2=size=352x288:rate=25",
                                "-c:v", "mpeg1video", "-b:v", "1500k", "-f", "mpeg"]),
    "hd": ("hd.mp4", 20, ["-f", "lavfi", "-i", "testsrc2=size=1920x1080:rate=25",
                          "-c:v", "libx264", "-preset", "veryfast", "-pix_fmt", "yuv420p"]),
}
MPV = ["mpv", "--no-config", "--fs", "--ao=null", "--really-quiet"]
VLC = ["cvlc", "--fullscreen", "--play-and-exit", "--no-audio", "--no-video-title-show",
       "--no-osd", "--quiet"]


def make_clip(folder, kind):
    name, seconds, arguments = CLIPS[kind]
    path = folder / name
    if not path.exists():
        subprocess.run(["ffmpeg", "-nostdin", "-loglevel", "error", "-y", *arguments[:4],
                        "-t", str(seconds), *arguments[4:], str(path)], check=True)
    return path


def make_disc(folder, clip):
    disc = folder / f"disc-{clip.stem}" / "quorix"
    if not disc.exists():
        disc.mkdir(parents=True)
        shutil.copy(clip, disc)
        (disc / "quorix.ini").write_bytes(
            b"[settings]\r\nmenumode=0\r\nloopmode=0\r\nlogomode=0\r\nintro=-1\r\n"
            b"interval=100\r\n\r\n[cliplist]\r\nclip00=Clip\r\n\r\n[filelist]\r\n"
            + f"Clip={clip.name}\r\n".encode())
    return disc


def cpu_of(pid):
    """User + system seconds of a running process, its waited-for children included."""
    fields = Path(f"/proc/{pid}/stat").read_text().rsplit(")", 1)[1].split()
    return sum(int(value) for value in fields[11:15]) / os.sysconf("SC_CLK_TCK")


def timed(argv, env, user, cwd, meanwhile=None):
    """Runs argv under GNU time (as user, when given), and meanwhile() while it runs:
    (CPU seconds, peak KiB, what meanwhile gave)."""
    with tempfile.NamedTemporaryFile("r", suffix=".time") as out:
        os.chmod(out.name, 0o666)
        command = ["/usr/bin/time", "-q", "-o", out.name, "-f", "%U %S %M", *argv]
        if user:
            command = ["/usr/sbin/runuser", "-u", user.pw_name, "--", *command]
        process = subprocess.Popen(command, env=env, cwd=cwd, stdout=subprocess.DEVNULL,
                                   stderr=subprocess.DEVNULL)
        seen = meanwhile() if meanwhile else None
        process.wait(timeout=180)
        user_s, system_s, peak = out.read().split()[-3:]
    return float(user_s) + float(system_s), int(peak), seen


def lit_share(screen, width, height):
    """The share of the screen's middle row and column that is not black."""
    row, column = screen.area(0, height // 2, width, 1), screen.area(width // 2, 0, 1, height)
    pixels = [row[i:i + 3] for i in range(0, 4 * width, 4)]
    pixels += [column[i:i + 3] for i in range(0, len(column), len(column) // height)]
    return sum(1 for p in pixels if sum(p) > 30) / len(pixels)


class XScreen:
    def __init__(self, size, work):
        self.size = size
        self.log = open(work / f"xvfb-{size}.log", "wb")
        # A display numbered under 10: libmpv's X11 images (the presenter's and mpv's) go through
        # shared memory only on such a display, as on a desktop's ":0"; on others every frame is
        # copied through the socket.
        number = next(n for n in range(2, 10) if not Path(f"/tmp/.X{n}-lock").exists()
                      and not Path(f"/tmp/.X11-unix/X{n}").exists())
        self.display = f":{number}"
        self.process = subprocess.Popen(
            ["Xvfb", self.display, "-screen", "0", f"{size}x24", "-nolisten", "tcp", "-ac",
             "-noreset"], stdout=self.log, stderr=self.log)
        for _ in range(100):
            if Path(f"/tmp/.X11-unix/X{number}").exists():
                break
            time.sleep(0.05)
        self.manager = subprocess.Popen(["openbox"], env={**os.environ, "DISPLAY": self.display},
                                        stdout=self.log, stderr=self.log)
        time.sleep(1)
        self.screen = program_bench.Screen(self.display)

    def play(self, argv, env, user, cwd, seconds):
        width, height = (int(n) for n in self.size.split("x"))

        def halfway():
            time.sleep(seconds / 2)
            return lit_share(self.screen, width, height)

        before = cpu_of(self.process.pid)
        cpu, peak, lit = timed(argv, {**env, "DISPLAY": self.display}, user, cwd, halfway)
        return cpu, cpu_of(self.process.pid) - before, peak, lit

    def close(self):
        self.screen.close()
        for process in (self.manager, self.process):
            process.terminate()
            process.wait()


class Cage:
    """One headless cage a play: its CPU less the player's own is the compositor's."""

    def __init__(self, size, work, user):
        self.size, self.work, self.user = size, work, user

    def play(self, argv, env, user, cwd, seconds):
        runtime = Path(tempfile.mkdtemp(dir=self.work, prefix="runtime-"))
        if user:
            os.chown(runtime, user.pw_uid, user.pw_gid)
        os.chmod(runtime, 0o700)
        inner = self.work / "inner.time"
        script = f"exec /usr/bin/time -q -o {inner} -f '%U %S %M' \"$@\""
        settings = {**env, "XDG_RUNTIME_DIR": str(runtime), "WLR_BACKENDS": "headless",
                    "WLR_RENDERER": "pixman", "WLR_LIBINPUT_NO_DEVICES": "1"}
        settings.pop("DISPLAY", None)
        total, _, _ = timed(["cage", "--", "sh", "-c", script, "player", *argv], settings, user,
                         cwd)
        user_s, system_s, peak = inner.read_text().split()[-3:]
        inner.unlink()
        shutil.rmtree(runtime, ignore_errors=True)
        own = float(user_s) + float(system_s)
        return own, total - own, int(peak), None

    def close(self):
        pass


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("build")
    parser.add_argument("--runs", type=int, default=3)
    parser.add_argument("--screens", default="1920x1080,1024x768")
    parser.add_argument("--clips", default="small,hd")
    parser.add_argument("--wayland", action="store_true")
    parser.add_argument("--only", default="")
    options = parser.parse_args()
    quorix = str(Path(options.build, "src", "app", "quorix").resolve())
    user = None
    if os.geteuid() == 0:
        user = pwd.getpwnam(os.environ.get("QUORIX_BENCH_USER", "quorixtest"))
    # Not "quorix" in the path: the presenter would take any such folder for its media folder.
    work = Path(tempfile.mkdtemp(prefix="peers-bench-"))
    os.chmod(work, 0o755)
    clips = {kind: make_clip(work, kind) for kind in options.clips.split(",")}
    discs = {kind: make_disc(work, clip) for kind, clip in clips.items()}
    if user:
        subprocess.run(["chown", "-R", f"{user.pw_uid}:{user.pw_gid}", str(work)], check=True)
    base = {"PATH": "/usr/bin:/bin", "HOME": str(work), "LANG": "C.UTF-8"}
    if options.wayland:
        players = {
            "quorix": lambda kind: ([quorix], {"QT_QPA_PLATFORM": "wayland"}, discs[kind].parent),
            "mpv-wlshm": lambda kind: ([*MPV, "--vo=wlshm", str(clips[kind])], {}, work),
            "mpv": lambda kind: ([*MPV, str(clips[kind])], {}, work),
        }
    else:
        players = {
            "quorix": lambda kind: ([quorix], {"QT_QPA_PLATFORM": "xcb"}, discs[kind].parent),
            "mpv-x11": lambda kind: ([*MPV, "--vo=x11", str(clips[kind])], {}, work),
            "mpv": lambda kind: ([*MPV, str(clips[kind])], {}, work),
            "vlc": lambda kind: ([*VLC, str(clips[kind])], {}, work),
            # Not a user's pick: mpv's cheapest output stretched over the whole screen as the
            # presenter stretches it, the same pixels to scale and to send. Only with --only.
            "mpv-x11-fill": lambda kind: (
                [*MPV, "--vo=x11", "--keepaspect=no", str(clips[kind])], {}, work),
        }
    if options.only:
        players = {name: make for name, make in players.items() if name in options.only.split(",")}
    else:
        players.pop("mpv-x11-fill", None)
    figures = {}
    print(f"# {time.strftime('%Y-%m-%d %H:%M')} {os.cpu_count()} cores, "
          f"{'cage (pixman)' if options.wayland else 'Xvfb'}, load {os.getloadavg()[0]:.2f}",
          flush=True)
    try:
        for size in ["1280x720"] if options.wayland else options.screens.split(","):
            screen = Cage(size, work, user) if options.wayland else XScreen(size, work)
            try:
                for run in range(options.runs):
                    for kind in clips:
                        for name, make in players.items():
                            argv, env, cwd = make(kind)
                            own, server, peak, lit = screen.play(
                                argv, {**base, **env}, user, cwd, CLIPS[kind][1])
                            figures.setdefault((size, kind, name), []).append(
                                (own, server, peak, lit))
                            print(f"{size} {kind} {name} run {run + 1}: {own:.2f} s + server "
                                  f"{server:.2f} s = {own + server:.2f} s, {peak // 1024} MiB, "
                                  + (f"lit {lit:.2f}, " if lit is not None else "")
                                  + f"load {os.getloadavg()[0]:.2f}", flush=True)
            finally:
                screen.close()
    finally:
        shutil.rmtree(work, ignore_errors=True)
    print("\n| screen | clip | player | CPU: player + server = total (median) | peak MiB | lit |")
    print("|---|---|---|---|---|---|")
    for (size, kind, name), values in figures.items():
        own = statistics.median(v[0] for v in values)
        server = statistics.median(v[1] for v in values)
        total = statistics.median(v[0] + v[1] for v in values)
        peak = statistics.median(v[2] for v in values) / 1024
        lit = [v[3] for v in values if v[3] is not None]
        lowest = f"{min(lit):.2f}" if lit else ""
        print(f"| {size} | {kind} | {name} | {own:.2f} + {server:.2f} = {total:.2f} s | "
              f"{peak:.0f} | {lowest} |")


if __name__ == "__main__":
    main()
