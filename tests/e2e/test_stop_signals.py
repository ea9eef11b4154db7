#!/usr/bin/env python3
"""Asked to stop from outside (SIGTERM from a service manager, SIGINT from Ctrl+C, SIGHUP from a
closed terminal or session), the presenter ends as Esc ends it: status 0, soon, and having let
the session's screen saver run again itself (an UnInhibit call to the service, not just a
connection that closes). Each signal in the menu and while a clip plays, and once while a
message box (a nested event loop) waits."""

import os
import select
import signal
import subprocess
import time

import harness
from harness import FULL_SCREEN, _end
from media import RED, make_small_clip, write_settings
from screen_checks import filled, highlighted_lines

FONT = {"color": "&H00FFFFFF", "bold": 1}
TITLE, HIGHLIGHT = (255, 255, 255), (255, 255, 16)
MENU_AREA = (150, 100, 874, 680)


class Lines:
    """The lines a helper process writes, read as they come."""

    def __init__(self, process):
        self.process = process
        self._buffer = b""

    def next(self, timeout):
        """The next line; None when none comes within timeout seconds."""
        deadline = time.monotonic() + timeout
        while b"\n" not in self._buffer:
            left = deadline - time.monotonic()
            ready, _, _ = select.select([self.process.stdout], [], [], max(left, 0))
            if not ready:
                return None
            chunk = os.read(self.process.stdout.fileno(), 256)
            if not chunk:
                return None
            self._buffer += chunk
        line, self._buffer = self._buffer.split(b"\n", 1)
        return line.decode()


def start_reporting(argv, env, quiet=False):
    """Starts a helper whose standard output the test reads."""
    return subprocess.Popen(
        argv,
        env=env,
        stdin=subprocess.DEVNULL,
        stdout=subprocess.PIPE,
        stderr=subprocess.DEVNULL if quiet else None,
        start_new_session=True,
    )


def test(s):
    s.check(s.options.screen_saver, "no --screen-saver service given")
    helpers = []
    try:
        # A session bus of the test's own, with a screen saver service on it.
        # Quiet: it warns that it may not raise its descriptor limit, which changes nothing here.
        bus = start_reporting(
            ["dbus-daemon", "--session", "--nofork", "--print-address=1"], s.env, quiet=True
        )
        helpers.append(bus)
        address = Lines(bus).next(10)
        s.check(address, "the session bus did not start")
        s.env["DBUS_SESSION_BUS_ADDRESS"] = address
        service = start_reporting([s.options.screen_saver], s.env)
        helpers.append(service)
        calls = Lines(service)
        s.check(calls.next(10) == "ready", "the screen saver service did not start")
        run_all(s, calls)
    finally:
        for helper in helpers:
            _end(helper)


def run_all(s, calls):
    menu = s.work / "menu" / "quorix"
    menu.mkdir(parents=True)
    make_small_clip(menu / "red.mpg", RED, seconds=30)
    write_settings(
        menu,
        {"menumode": 1, "intro": -1, "hilitecolor": "&H0010FFFF"},
        ["Red"],
        {"Red": "red.mpg"},
        FONT,
    )
    playing = s.work / "playing" / "quorix"
    playing.mkdir(parents=True)
    os.link(menu / "red.mpg", playing / "red.mpg")
    write_settings(playing, {"menumode": 0, "loopmode": 1}, ["Red"], {"Red": "red.mpg"})
    missing = s.work / "missing" / "quorix"
    missing.mkdir(parents=True)
    write_settings(missing, {"menumode": 0}, ["Gone"], {"Gone": "gone.mpg"})

    def in_menu():
        s.wait_for(
            "the menu",
            lambda shot: highlighted_lines(shot, MENU_AREA, TITLE, HIGHLIGHT, 1) == [0],
            interval=0.05,
        )

    def while_playing():
        s.wait_for(
            "the clip playing",
            lambda shot: filled(shot, FULL_SCREEN, RED, share=0.6),
            interval=0.05,
        )

    for number in (signal.SIGTERM, signal.SIGINT, signal.SIGHUP):
        stop(s, calls, number, menu, in_menu)
        stop(s, calls, number, playing, while_playing)
    stop(s, calls, signal.SIGTERM, missing, s.message_box)


def stop(s, calls, number, media, wait_until_there):
    name = signal.Signals(number).name
    s.start_presenter(media.parent)
    held = calls.next(20)
    s.check(held and held.startswith("Inhibit "), f"the screen saver was not held off: {held}")
    wait_until_there()
    s.presenter.send_signal(number)
    sent = time.monotonic()
    status = s.wait_exit(5)
    s.log(f"{name}: ended {(time.monotonic() - sent) * 1000:.0f} ms after the signal")
    s.check(status == 0, f"{name}: exit status {status}, not 0")
    cookie = held.split()[1]
    released = calls.next(2)
    s.check(
        released == f"UnInhibit {cookie}",
        f"{name}: the screen saver was not released (the service saw: {released})",
    )


if __name__ == "__main__":
    harness.run(test)
