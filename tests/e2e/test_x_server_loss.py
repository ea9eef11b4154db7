#!/usr/bin/env python3
"""The X server goes away under a playing clip (a display unplugged, X restarted, the session
ended): the presenter ends with status 1 each time, never with a crash or a hang, and leaves
nothing of its own running. Both the window thread and the video thread lose the connection at
once, so one run proves little: the server is killed under a playing clip many times over, at
varying moments of the playback."""

import os
import random
import signal
import time

import harness
from harness import FULL_SCREEN
from media import RED, make_small_clip, write_settings
from screen_checks import filled

RUNS = 20


def group_members(group):
    """Processes still alive in the process group."""
    members = []
    for entry in os.listdir("/proc"):
        if not entry.isdigit():
            continue
        try:
            with open(f"/proc/{entry}/stat") as stat:
                fields = stat.read().rsplit(")", 1)[1].split()
        except OSError:
            continue  # gone meanwhile
        # After the name: state, parent, process group. A zombie is already gone.
        if int(fields[2]) == group and fields[0] != "Z":
            members.append(int(entry))
    return members


def test(s):
    media = s.work / "disc" / "quorix"
    media.mkdir(parents=True)
    make_small_clip(media / "red.mpg", RED, seconds=30)
    write_settings(media, {"menumode": 0, "loopmode": 1}, ["Red"], {"Red": "red.mpg"})
    moments = random.Random(19)

    for run in range(1, RUNS + 1):
        x = s.x if run == 1 else harness.XServer(s.work / f"xvfb-{run}.log")
        s.env["DISPLAY"] = x.name
        try:
            presenter = s.start_presenter(media.parent)
            s.wait_for(
                f"run {run}: the clip playing",
                lambda shot: filled(shot, FULL_SCREEN, RED, share=0.6),
                timeout=15,
                interval=0.05,
            )
            time.sleep(moments.uniform(0, 0.3))
            x.process.send_signal(signal.SIGKILL)
            killed = time.monotonic()
            status = s.wait_exit(10)
            s.log(f"run {run}: ended {time.monotonic() - killed:.2f} s after the server")
        finally:
            x.stop()
        s.check(
            status == 1,
            f"run {run}: the presenter ended with status {status} when the X server went away,"
            " not 1" + (" (killed by a signal: a crash)" if status < 0 else ""),
        )
        left = group_members(presenter.pid)
        s.check(not left, f"run {run}: processes {left} of the presenter still run")


if __name__ == "__main__":
    harness.run(test)
