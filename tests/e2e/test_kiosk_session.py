#!/usr/bin/env python3
"""The kiosk service's command line (quorix-kiosk FOLDER, which runs cage -- quorix FOLDER) under
headless cage: a presentation that ends as designed ends the command with status 0, so the
service stays stopped; a presenter that crashes ends it with a failure, so the service starts it
again.
"""

import signal

import wayland
from media import RED, Clip, make_disc


def test(c):
    # Every clip once, no logo: the presenter ends by itself with status 0.
    media = make_disc(
        c.work / "played" / "quorix",
        [Clip("Red", "red.mpg", RED, seconds=1)],
        {"menumode": 0, "loopmode": 0, "logomode": 0},
    )
    c._own(c.work / "played")
    c.start_kiosk(media.parent)
    status = c.wait_exit(40)
    c.check(status == 0, f"the kiosk command ended with status {status} after a normal end")

    c.start_kiosk(c.copy_sample_disc())
    pid = c.presenter_pid()
    c.log(f"crashing the presenter {pid}")
    wayland.os.kill(pid, signal.SIGSEGV)
    status = c.wait_exit(20)
    c.check(status != 0, "the kiosk command ended with status 0 after the presenter crashed")


if __name__ == "__main__":
    wayland.run("cage", test)
