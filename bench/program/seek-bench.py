#!/usr/bin/env python3
"""Times a drag of the position bar over a paused clip: 100 steps of the pointer with the button
held. For each step: the time from sending the pointer move to the X server (through XTest) to
the first read of the screen showing another frame; and, from the presenter's timing trace, the
longest stretch during the drag in which its window did not answer events.

    bench/program/seek-bench.py BUILD_DIR

The clip is a generated 30 s picture with a square that moves every frame, played by play-all.
A frame is told from the one before by one row of pixels across the square's path, read on its
own (well under 1 ms a read).
"""

import importlib.util
import shutil
import statistics
import subprocess
import sys
import tempfile
import time
import types
from pathlib import Path

HERE = Path(__file__).resolve().parent
SOURCE = HERE.parent.parent
sys.path.insert(0, str(SOURCE / "tests" / "e2e"))

import harness  # noqa: E402
from picture import Picture, find_picture  # noqa: E402

_spec = importlib.util.spec_from_file_location("program_bench", HERE / "program-bench.py")
program_bench = importlib.util.module_from_spec(_spec)
_spec.loader.exec_module(program_bench)

STEPS = 100
# A row of the screen through the square's path: the clip fills the screen, 3.2 times its size.
SQUARE_ROW = 400
# Where the position panel stands on a 1024 x 768 screen at 96 DPI: its top is the window's
# height less two panel heights (27 pixels each); it is 243 pixels wide, its left about a button
# and a half left of centre. The scroll bar lies 5 pixels inside it, 233 x 17.
PANEL_TOP, PANEL_WIDTH, PANEL_HEIGHT = harness.SCREEN_HEIGHT - 2 * 27, 243, 27
BUTTON_WIDTH, BAR_INSET, BAR_WIDTH, BAR_HEIGHT = 20, 5, 233, 17


def panel_left(screen, button):
    """The left edge of the position panel, found by the picture of its left button (which
    stands just left of the panel at the panel's top), or None when it is not shown."""
    expected = harness.SCREEN_WIDTH // 2 - PANEL_WIDTH // 2 - 3 * BUTTON_WIDTH // 2
    found = find_picture(screen, button, expected - BUTTON_WIDTH, PANEL_TOP, slack=6)
    return found[0] + BUTTON_WIDTH if found else None


def bar_thumb(screen, left):
    """The centre of the scroll bar's thumb, the panel's left edge given: the longest run of
    near-white pixels along the bar's middle row, between its arrow buttons."""
    y = PANEL_TOP + BAR_INSET + BAR_HEIGHT // 2
    runs, start = [], None
    for x in range(left + BAR_INSET + BAR_HEIGHT, left + BAR_INSET + BAR_WIDTH - BAR_HEIGHT + 2):
        bright = min(screen.pixel(x, y)) >= 240 and x <= left + BAR_INSET + BAR_WIDTH - BAR_HEIGHT
        if bright and start is None:
            start = x
        elif not bright and start is not None:
            runs.append((x - start, (start + x - 1) // 2))
            start = None
    length, centre = max(runs, default=(0, None))
    return (centre, y) if length >= 8 else None


def stalls(trace, start, end):
    """The stalls of the presenter's trace that began between start and end: [(start, length)]
    in seconds."""
    found = []
    for line in Path(trace).read_text().splitlines():
        fields = line.split()
        if fields and fields[0] == "stall":
            begun, length = int(fields[1]) / 1e9, int(fields[2]) / 1e9
            if start <= begun <= end:
                found.append((begun, length))
    return found


def main():
    build = Path(sys.argv[1]).resolve()
    work = Path(tempfile.mkdtemp(prefix="quorix-bench-seek-"))
    options = types.SimpleNamespace(
        quorix=str(build / "src" / "app" / "quorix"), source_dir=str(SOURCE),
        artifacts=str(work / "artifacts"), message_box=None,
    )
    s = harness.Session("seek", options, work)
    screen = program_bench.Screen(s.x.name)
    video = lambda: screen.area(0, SQUARE_ROW, harness.SCREEN_WIDTH, 1)
    trace = work / "trace.txt"
    s.env["QUORIX_TRACE"] = str(trace)
    try:
        disc, _ = program_bench.play_all_disc(work)
        s.presenter = s.spawn([options.quorix, str(disc)], cwd=str(disc))
        red = program_bench.RED
        end = time.monotonic() + 10
        while not all(
            abs(a - b) < 40 for a, b in zip(program_bench.pixel(screen.grab(), 512, 100), red)
        ):
            if time.monotonic() > end:
                raise RuntimeError("the clip did not start")
        time.sleep(1.0)
        subprocess.run(["xdotool", "key", "space"], env=s.env, check=True)
        time.sleep(1.0)
        button = Picture.from_file(SOURCE / "src/ui/pictures/button-left.bmp")
        left = None
        for move in range(12):
            s.tool("xdotool", "mousemove", "--sync", str(300 + 40 * move), "300")
            time.sleep(0.15)
            if move >= 6:
                shot = s.shot()
                left = panel_left(shot, button)
                if left is not None:
                    break
        if left is None:
            raise RuntimeError("the position panel did not come up")
        thumb = bar_thumb(shot, left)
        if thumb is None:
            raise RuntimeError("no thumb on the position bar")
        s.tool("xdotool", "mousemove", "--sync", *map(str, thumb))
        time.sleep(0.2)
        screen.button(True)
        times = []
        previous = video()
        dragged = time.monotonic()
        try:
            for step in range(1, STEPS + 1):
                x = thumb[0] + (step * 3) // 2
                start = screen.move(x, thumb[1])
                deadline = start + 2.0
                while True:
                    current = video()
                    now = time.monotonic()
                    if current != previous or now > deadline:
                        break
                times.append(now - start if current != previous else float("inf"))
                previous = current
                time.sleep(0.03)
        finally:
            screen.button(False)
        released = time.monotonic()
        time.sleep(0.2)
        shown = sorted(t * 1000 for t in times if t != float("inf"))
        missing = sum(1 for t in times if t == float("inf"))
        print(f"seek drag, {STEPS} steps of 1-2 px from x={thumb[0]}: frame shown after median "
              f"{statistics.median(shown):.1f} ms, p90 {shown[int(len(shown) * 0.9)]:.1f}, max "
              f"{shown[-1]:.1f} ms; {missing} steps without a new picture in 2 s "
              f"(load {program_bench.load():.2f})")
        blocked = stalls(trace, dragged, released)
        longest = max((length for _, length in blocked), default=0.0)
        print(f"  window not answering events during the drag: {len(blocked)} stretches over "
              f"10 ms, longest {longest * 1000:.1f} ms (a 2 ms heartbeat; 0 when none)")
        subprocess.run(["xdotool", "key", "Escape"], env=s.env, check=True)
    finally:
        screen.close()
        s.close()
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    main()
