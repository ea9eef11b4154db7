#!/usr/bin/env python3
"""Ends forced on the presenter from outside. Stop signals (SIGTERM from a service manager in the
menu, SIGINT from Ctrl+C while a clip plays, SIGHUP from a closed session while a message box's
nested event loop waits) end it as Esc does: status 0, soon. The X server going away under a
playing clip ends it with status 1, never a crash or a hang, leaving nothing of its own running;
the window and video threads lose the connection at once, so that is done many times, at varying
moments of the playback."""

import os
import random
import signal
import time

import harness
from harness import FULL_SCREEN
from media import RED, make_small_clip, write_settings
from picture import filled, highlighted_lines

RUNS = 20


def group_members(group):
    """Processes still alive (not zombies) in the process group."""
    members = []
    for entry in filter(str.isdigit, os.listdir("/proc")):
        try:
            with open(f"/proc/{entry}/stat") as stat:
                state, _, pgrp = stat.read().rsplit(")", 1)[1].split()[:3]
        except OSError:
            continue  # gone meanwhile
        if int(pgrp) == group and state != "Z":
            members.append(int(entry))
    return members


def disc(s, name, settings, clip=True):
    media = s.work / name / "quorix"
    media.mkdir(parents=True)
    if clip:
        make_small_clip(media / "red.mpg", RED, seconds=30)
    write_settings(media, {"hilitecolor": "&H0010FFFF", **settings}, ["Red"], {"Red": "red.mpg"},
                   {"color": "&H00FFFFFF", "bold": 1})
    return media.parent


def playing(s):
    s.wait_for("the clip playing", lambda shot: filled(shot, FULL_SCREEN, RED, 0.6), 15, 0.05)


def test(s):
    menu = (150, 100, 874, 680)
    for number, folder, there in (
        (signal.SIGTERM, disc(s, "menu", {"menumode": 1, "intro": -1}), lambda: s.wait_for(
            "the menu", lambda shot: highlighted_lines(shot, menu, (255,) * 3, (255, 255, 16), 1))),
        (signal.SIGINT, disc(s, "playing", {"menumode": 0, "loopmode": 1}), lambda: playing(s)),
        (signal.SIGHUP, disc(s, "missing", {"menumode": 0}, False), s.message_box),
    ):
        s.start_presenter(folder)
        there()
        s.presenter.send_signal(number)
        status = s.wait_exit(5)
        s.check(status == 0, f"{number.name}: exit status {status}, not 0")

    moments = random.Random(19)
    for run in range(1, RUNS + 1):
        x = harness.XServer(s.work / f"xvfb-{run}.log")
        s.env["DISPLAY"] = x.name
        try:
            presenter = s.start_presenter(s.work / "playing")
            playing(s)
            time.sleep(moments.uniform(0, 0.3))  # a varying moment of the playback
            x.process.send_signal(signal.SIGKILL)
            status = s.wait_exit(10)
        finally:
            x.stop()
        s.check(status == 1, f"run {run}: exit status {status} when the X server went away, not 1"
                + (" (killed by a signal: a crash)" if status < 0 else ""))
        left = group_members(presenter.pid)
        s.check(not left, f"run {run}: processes {left} of the presenter still run")


if __name__ == "__main__":
    harness.run(test)
