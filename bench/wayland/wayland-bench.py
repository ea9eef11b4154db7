#!/usr/bin/env python3
"""The presenter on Wayland under headless cage, against the mpv command line in the same cage.

    bench/wayland/wayland-bench.py QUORIX [RUNS]

- cost: a 30 s clip played full screen (a play-all disc of one clip, no logo) by the presenter,
  and by "mpv --no-config --fs" (mpv's own choice of output), both under GNU time: CPU seconds
  (user + system) and peak resident memory;
- start-up: from starting the presenter to its first painted window (the first buffer it hands
  the compositor, read from libwayland's message log), RUNS times;
- the other ways a picture could take: the presenter through XWayland (libmpv drawing into a
  native X11 window), and "mpv --vo=wlshm" (mpv drawing into a window of its own in the
  compositor's shared memory, the nearest to the presenter's way).

Run as root, cage and the programs run as the unprivileged user QUORIX_E2E_USER (default
quorixtest). Needs cage, mpv, ffmpeg and GNU time.
"""

import os
import pwd
import shutil
import statistics
import subprocess
import sys
import tempfile
import time
from pathlib import Path

CLIP_SECONDS = 30


def main():
    quorix = os.path.abspath(sys.argv[1])
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 5
    user = pwd.getpwnam(os.environ.get("QUORIX_E2E_USER", "quorixtest")) if os.geteuid() == 0 else None
    work = Path(tempfile.mkdtemp(prefix="wayland-bench-"))
    os.chmod(work, 0o755)
    media = work / "disc" / "quorix"
    media.mkdir(parents=True)
    clip = media / "clip.mpg"
    subprocess.run(
        ["ffmpeg", "-nostdin", "-loglevel", "error", "-y",
         "-f", "lavfi", "-i", f"testsrc=size=352x288:rate=25:duration={CLIP_SECONDS}",
         "-f", "lavfi", "-i", f"sine=frequency=440:duration={CLIP_SECONDS}",
         "-c:v", "mpeg1video", "-b:v", "1500k", "-c:a", "mp2", "-f", "mpeg", str(clip)],
        check=True,
    )
    (media / "quorix.ini").write_bytes(
        b"[settings]\r\nmenumode=0\r\nloopmode=0\r\nlogomode=0\r\n"
        b"[cliplist]\r\nclip00=Clip\r\n[filelist]\r\nClip=clip.mpg\r\n"
    )
    if user:
        for folder, _, files in os.walk(work):
            for name in [folder, *(os.path.join(folder, f) for f in files)]:
                os.chown(name, user.pw_uid, user.pw_gid)

    def in_cage(program, env=None, name="run"):
        runtime = work / f"runtime-{name}"
        runtime.mkdir(mode=0o700)
        if user:
            os.chown(runtime, user.pw_uid, user.pw_gid)
        settings = {
            "PATH": "/usr/bin:/bin", "HOME": str(work), "XDG_RUNTIME_DIR": str(runtime),
            "WLR_BACKENDS": "headless", "WLR_RENDERER": "pixman", "WLR_LIBINPUT_NO_DEVICES": "1",
            **(env or {}),
        }
        argv = ["env", "-i", *[f"{k}={v}" for k, v in settings.items()], "cage", "--", *program]
        if user:
            argv = ["runuser", "-u", user.pw_name, "--", *argv]
        return subprocess.run(argv, cwd=str(work / "disc"), capture_output=True, text=True,
                              timeout=CLIP_SECONDS * 4)

    def cost(label, program, env=None):
        out = work / f"time-{label}.txt"
        in_cage(["/usr/bin/time", "-o", str(out), "-f", "%U %S %M", *program], env, label)
        user_s, system_s, peak = out.read_text().split()[-3:]
        seconds = float(user_s) + float(system_s)
        print(f"{label}: {seconds:.2f} s CPU, {int(peak)} KiB peak", flush=True)
        return seconds, int(peak)

    presenter = cost("quorix", [quorix], {"QT_QPA_PLATFORM": "wayland"})
    xwayland = cost("quorix through XWayland", [quorix], {"QT_QPA_PLATFORM": "xcb"})
    mpv = cost("mpv --fs", ["mpv", "--no-config", "--fs", str(clip)])
    wlshm = cost("mpv --vo=wlshm", ["mpv", "--no-config", "--fs", "--vo=wlshm", str(clip)])
    print(f"quorix / mpv --fs: {presenter[0] / mpv[0]:.2f}x CPU, {presenter[1] / mpv[1]:.2f}x memory")
    print(f"quorix through XWayland / mpv --fs: {xwayland[0] / mpv[0]:.2f}x CPU, "
          f"{xwayland[1] / mpv[1]:.2f}x memory")
    print(f"quorix / mpv --vo=wlshm: {presenter[0] / wlshm[0]:.2f}x CPU, "
          f"{presenter[1] / wlshm[1]:.2f}x memory")

    # Start-up: libwayland stamps each message with the wall clock's microseconds modulo 2^32,
    # in milliseconds; the presenter is started at a known stamp and its first attach is found.
    times = []
    for run in range(runs):
        script = ('t=$(date +%s%6N); echo "$t" > start; '
                  f'timeout 3 "{quorix}" 2> wayland.log; true')
        in_cage(["sh", "-c", script], {"QT_QPA_PLATFORM": "wayland", "WAYLAND_DEBUG": "client"},
                f"start{run}")
        start = int((work / "disc" / "start").read_text()) % 2**32 / 1000
        first = None
        for line in (work / "disc" / "wayland.log").read_text(errors="replace").splitlines():
            if ".attach(wl_buffer@" in line:
                first = float(line[1 : line.index("]")])
                break
        if first is None:
            print(f"start-up run {run}: no buffer attached")
            continue
        times.append((first - start) % (2**32 / 1000))
    if times:
        print(f"start-up to first painted window: median {statistics.median(times):.0f} ms, "
              f"min {min(times):.0f}, max {max(times):.0f} ms ({len(times)} runs)")
    shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    main()
