#!/usr/bin/env python3
"""The presenter built for another processor, run through its emulator (QUORIX_E2E_EMULATOR, the
command and its options) on an X server of the case's own: the sample disc's intro, its menu after
Esc, the first entry played from it, Esc back to the menu and Esc to the end. Emulated, a clip
plays several times slower than its frame rate, so no clip is waited out."""

import os
import shlex
import shutil
from pathlib import Path

import harness
from picture import FULL_SCREEN, SCREEN_HEIGHT, SCREEN_WIDTH, changes, filled, lit_lines
from test_wayland import HIGHLIGHT, TITLE, WELCOME_RED

MENU_AREA = (SCREEN_WIDTH // 7, SCREEN_HEIGHT // 8, SCREEN_WIDTH * 6 // 7, SCREEN_HEIGHT * 7 // 8)


class Emulated(harness.Session):
    def command(self, argv, env):
        emulator = shlex.split(os.environ["QUORIX_E2E_EMULATOR"])
        return [*emulator, *argv] if argv[0] == self.options.quorix else list(argv)


def menu_lit(entry):
    return lambda shot: lit_lines(shot, MENU_AREA, TITLE, HIGHLIGHT, 4) == [entry]


def clip_running(s, what):
    s.wait_for(f"{what} (red) over the screen", lambda shot: filled(shot, FULL_SCREEN, WELCOME_RED),
               timeout=30)
    s.wait_for(f"{what} running", changes(FULL_SCREEN), timeout=10)


def test(s):
    shutil.copytree(Path(s.options.source_dir) / "examples/disc/quorix", s.work / "disc/quorix")
    s.start(s.work / "disc")
    s.focused("the full-screen main window", harness.FULL)
    clip_running(s, "the intro")
    s.key("Escape")
    s.wait_for("the menu after Esc in the intro, entry 1 lit", menu_lit(0), timeout=20)
    s.key("Return")
    clip_running(s, "entry 1")
    s.key("Escape")
    s.wait_for("the menu back after Esc, entry 1 lit", menu_lit(0), timeout=20)
    s.key("Escape")
    status = s.wait_exit(30)
    s.check(status == 0, f"the presenter ended with status {status}, not 0")


if __name__ == "__main__":
    harness.run(test, Emulated)
