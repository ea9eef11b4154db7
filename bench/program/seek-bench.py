#!/usr/bin/env python3
"""Times a drag of the position bar over a paused clip: 100 steps of the pointer with the button
held, and for each step the time from the start of the pointer move to the first screen read
whose video area differs from the one before it.

    bench/program/seek-bench.py BUILD_DIR

The clip is a generated 30 s picture with a square that moves every frame, played by play-all.
Each step's time includes the `xdotool mousemove` call itself, printed apart as a reference.
What it does not measure: how long the window's event loop is blocked (an outside program can
only see that through the program's own answers, which this script does not ask for).
"""

import importlib.util
import shutil
import statistics
import subprocess
import sys
import tempfile
import time
import types
import zlib
from pathlib import Path

HERE = Path(__file__).resolve().parent
SOURCE = HERE.parent.parent
sys.path.insert(0, str(SOURCE / "tests" / "e2e"))

import harness  # noqa: E402
from picture import Picture  # noqa: E402
from screen_checks import PANEL_TOP, bar_thumb, panel_left  # noqa: E402

_spec = importlib.util.spec_from_file_location("program_bench", HERE / "program-bench.py")
program_bench = importlib.util.module_from_spec(_spec)
_spec.loader.exec_module(program_bench)

STEPS = 100
VIDEO_BYTES = (PANEL_TOP - 10) * harness.SCREEN_WIDTH * 4


def main():
    build = Path(sys.argv[1])
    work = Path(tempfile.mkdtemp(prefix="quorix-bench-seek-"))
    options = types.SimpleNamespace(
        quorix=str(build / "src" / "app" / "quorix"), source_dir=str(SOURCE),
        artifacts=str(work / "artifacts"), message_box=None,
    )
    s = harness.Session("seek", options, work)
    screen = program_bench.Screen(s.x.name)
    video = lambda: zlib.crc32(screen.grab()[:VIDEO_BYTES])
    try:
        disc, _ = program_bench.play_all_disc(work)
        s.start_presenter(disc, [str(disc)])
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
        button = Picture.from_bmp(SOURCE / "src/ui/pictures/button-left.bmp")
        left = None
        for move in range(12):
            s.move(300 + 40 * move, 300)
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
        s.move(*thumb)
        subprocess.run(["xdotool", "mousedown", "1"], env=s.env, check=True)
        times, moves = [], []
        previous = video()
        try:
            for step in range(1, STEPS + 1):
                x = thumb[0] + (step * 3) // 2
                start = time.monotonic()
                subprocess.run(["xdotool", "mousemove", str(x), str(thumb[1])], env=s.env,
                               check=True)
                moves.append(time.monotonic() - start)
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
            subprocess.run(["xdotool", "mouseup", "1"], env=s.env, check=True)
        shown = sorted(t * 1000 for t in times if t != float("inf"))
        missing = sum(1 for t in times if t == float("inf"))
        print(f"seek drag, {STEPS} steps of 1-2 px from x={thumb[0]}: frame shown after median "
              f"{statistics.median(shown):.0f} ms, p90 {shown[int(len(shown) * 0.9)]:.0f}, max "
              f"{shown[-1]:.0f} ms; {missing} steps without a new picture in 2 s "
              f"(load {program_bench.load():.2f})")
        moves = sorted(m * 1000 for m in moves)
        print(f"  the xdotool mousemove call alone: median {statistics.median(moves):.0f} ms")
        subprocess.run(["xdotool", "key", "Escape"], env=s.env, check=True)
    finally:
        screen.close()
        s.close()
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    main()
