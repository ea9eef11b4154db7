#!/usr/bin/env python3
"""The kiosk service as systemd runs it, in a container that systemd-nspawn boots from this
machine's own system (/usr and /etc read-only): the unit as packaged, with a drop-in for what the
container lacks (tty7, the quorix-kiosk user, graphics hardware: cage draws on a headless output)
and a short watchdog. A checking unit inside starts the service and notes its state each second:
it goes active once the presenter's window is up and plays the clip; the presenter stopped, the
watchdog ends it and the service starts it again."""

import os
import shutil
import subprocess
from pathlib import Path

import harness
from harness import Case
from media import RED, Clip, make_disc
from picture import Picture, filled

DROP_IN = """[Service]
User=quorixtest
TTYPath=
TTYReset=no
TTYVHangup=no
TTYVTDisallocate=no
StandardInput=null
ExecStart=
ExecStart=/mnt/quorix-kiosk-relay /mnt/quorix-kiosk ${QUORIX_FOLDER}
Environment=PATH=/mnt:/usr/bin:/bin WLR_BACKENDS=headless WLR_RENDERER=pixman
Environment=WLR_LIBINPUT_NO_DEVICES=1 QT_QPA_PLATFORM=wayland
WatchdogSec=6
"""
CHECK = """[Service]
Type=oneshot
ExecStart=/bin/sh -c 'systemctl start --no-block quorix-kiosk; for i in $(seq 40); do sleep 1; \
  echo $(systemctl show -P ActiveState -P Result quorix-kiosk) >> /var/tmp/out/states; \
  case $i in 6|9|12) runuser -u quorixtest -- env XDG_RUNTIME_DIR=/run/quorix-kiosk \
    WAYLAND_DISPLAY=wayland-0 grim -t ppm /var/tmp/out/shot$i.ppm;; esac; \
  [ $i = 12 ] && pkill -STOP -x quorix; \
  done; systemctl poweroff'
"""


def test(c):
    units, programs, out = (c.work / name for name in ("units", "mnt", "out"))
    (units / "quorix-kiosk.service.d").mkdir(parents=True)
    programs.mkdir()
    out.mkdir()
    source = Path(c.options.source_dir) / "packaging"
    shutil.copy(source / "quorix-kiosk.service", units)
    (units / "quorix-kiosk.service.d/test.conf").write_text(DROP_IN)
    (units / "kiosk-check.service").write_text(CHECK)
    for program in (c.options.quorix, c.options.relay, source / "quorix-kiosk"):
        shutil.copy(program, programs)
    make_disc(c.work / "srv/quorix", [Clip("Red", "red.mpg", RED, 30)], {"menumode": 0})
    subprocess.run(["chmod", "-R", "a+rX", c.work], check=True)
    os.chmod(out, 0o777)
    binds = [f"--bind-ro={c.work / 'units'}:/run/systemd/system", f"--bind-ro={programs}:/mnt",
             f"--bind-ro={c.work / 'srv'}:/srv", f"--bind={out}:/var/tmp/out"]
    booted = subprocess.run(["systemd-nspawn", "-q", "--volatile=yes", "-D", "/", "--register=no",
                             "--keep-unit", "--bind-ro=/etc", *binds, "-b",
                             "systemd.wants=kiosk-check.service"], capture_output=True, timeout=150)
    (c.work / "nspawn.log").write_bytes(booted.stdout + booted.stderr)
    # One line a second: the state and the result (in either order).
    states = [set(line.split()) for line in (out / "states").read_text().splitlines()]
    c.log(f"states: {states}")
    up = [i for i, state in enumerate(states) if "active" in state]
    c.check(up and up[0] < 8, "the service did not go active before the eighth second")
    # A loaded machine starts the clip later: any of three screenshots may show it.
    shots = [Picture.from_file(path) for path in sorted(out.glob("shot*.ppm"))]
    c.check(any(filled(shot, (0, 0, shot.width, shot.height), RED, 0.4) for shot in shots),
            "the clip does not show")
    ended = [i for i, state in enumerate(states) if "watchdog" in state]
    c.check(ended and any("active" in state for state in states[ended[0]:]),
            "the stopped presenter was not ended by the watchdog and started again")


if __name__ == "__main__":
    harness.run(test, Case)
