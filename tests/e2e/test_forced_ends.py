#!/usr/bin/env python3
"""Ends forced from outside. Stop signals (SIGTERM in the menu, SIGINT while a clip plays, SIGHUP
while a message box's nested event loop waits) end the presenter as Esc does: status 0, soon.
The X server going away under a playing clip, which the window and video threads see at once,
ends it with status 1, never a crash or a hang, leaving nothing of its own running: many times,
at varying moments of the playback."""

import pathlib
import random
import signal
import time

import harness
from harness import BOXED
from media import RED, make_clip, write_settings
from picture import FULL_SCREEN, filled, lit_lines


def disc(s, name, settings, clip=True):
    media = s.work / name / "quorix"
    media.mkdir(parents=True)
    if clip:
        make_clip(media / "red.mpg", RED, 30, plain=True)
    write_settings(media, {"hilitecolor": "&H0010FFFF", **settings}, ["Red"], {"Red": "red.mpg"},
                   {"color": "&H00FFFFFF", "bold": 1})
    return media.parent


def playing(s):
    s.wait_for("the clip playing", lambda shot: filled(shot, FULL_SCREEN, RED), 15, 0.05)


def test(s):
    menu = (150, 100, 874, 680)
    for number, folder, there in (
        (signal.SIGTERM, disc(s, "menu", {"menumode": 1, "intro": -1}), lambda: s.wait_for(
            "the menu", lambda shot: lit_lines(shot, menu, (255,) * 3, (255, 255, 16), 1))),
        (signal.SIGINT, disc(s, "playing", {"menumode": 0, "loopmode": 1}), lambda: playing(s)),
        (signal.SIGHUP, disc(s, "missing", {"menumode": 0}, False),
         lambda: s.focused("a message box", BOXED)),
    ):
        s.start(folder)
        there()
        s.presenter.send_signal(number)
        status = s.wait_exit(5)
        s.check(status == 0, f"{number.name}: exit status {status}, not 0")

    moments = random.Random(19)
    for run in range(1, 21):
        xvfb, s.env["DISPLAY"] = harness.start_xvfb(s.work / f"xvfb-{run}.log")
        try:
            s.start(s.work / "playing")
            playing(s)
            if run == 1:
                # Which thread writes first to the dead server's socket is chance: a presenter
                # that dies of the write's SIGPIPE does so in only some runs. Its disposition is
                # sure.
                proc = (pathlib.Path("/proc") / str(s.presenter.pid) / "status").read_text()
                ignored = int(proc.split("SigIgn:")[1].split()[0], 16)
                s.check(ignored & 1 << (signal.SIGPIPE - 1),
                        "a write to a closed connection kills it")
            time.sleep(moments.uniform(0, 0.3))  # a varying moment of the playback
            xvfb.send_signal(signal.SIGKILL)
            status = s.wait_exit(10)
        finally:
            harness.end(xvfb)
        s.check(status == 1, f"run {run}: exit status {status} when the X server went away, not 1"
                + (" (killed by a signal: a crash)" if status < 0 else ""))
        left = s.tool("pgrep", "-g", str(s.presenter.pid), "-r", "RSDTtW", check=False).split()
        s.check(not left, f"run {run}: processes {left} of the presenter still run")


if __name__ == "__main__":
    harness.run(test)
