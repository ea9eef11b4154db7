#!/usr/bin/env python3
"""Times the presenter with a short supervisor tick (key interval of [settings]) against the
once-a-second tick, on one Xvfb of its own.

    bench/program/interval-bench.py BUILD_DIR [--runs N] [--interval MS]
                                    [--only playall,menu,cpu] [--cpu-seconds S]

- playall: a play-all of three generated 1 s clips (menumode=0, loopmode=0, logomode=0), with
  the key and without it, in alternation: from just before the process is spawned to its exit
  (waitpid), and for each change of clips the time from the first read of the screen showing
  the clip's last frame to the first read showing the next clip's first frame. Every clip is one
  plain colour with a white last frame, so one pixel in the middle of the screen tells the
  pictures apart (a read of one pixel takes well under 1 ms).
- menu: the sample disc with its menu and no intro, with the key and without: from spawn to the
  first read of the whole screen showing the final menu picture.
- cpu: CPU time of the presenter (all its threads, from /proc) over a stretch of cpu-seconds
  while it idles in the menu, and while it plays a generated 30 s clip, with the key and
  without, in alternation; printed in percent of one core. No timing trace (its heartbeat costs
  CPU of its own).

Prints one line per figure with the load average at that moment; nothing is asserted.
"""

import argparse
import importlib.util
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time
from pathlib import Path

HERE = Path(__file__).resolve().parent
SOURCE = HERE.parent.parent
sys.path.insert(0, str(SOURCE / "tests" / "e2e"))

from harness import SCREEN_HEIGHT, SCREEN_WIDTH, end  # noqa: E402
from media import BLUE, GREEN, RED, make_clip  # noqa: E402

_spec = importlib.util.spec_from_file_location("program_bench", HERE / "program-bench.py")
program_bench = importlib.util.module_from_spec(_spec)
_spec.loader.exec_module(program_bench)

WHITE = (235, 235, 235)


def hex_colour(rgb):
    return "0x%02x%02x%02x" % rgb
CLIP_COLOURS = (RED, GREEN, BLUE)
CENTRE = (SCREEN_WIDTH // 2, SCREEN_HEIGHT // 2)


def make_flash_clip(path, ground):
    """A 1 s MPEG-1 clip at 25 fps: 24 frames of the ground colour, then one white frame."""
    graph = (
        f"color=c={hex_colour(ground)}:s=320x240:r=25:d=0.96[a];"
        f"color=c={hex_colour(WHITE)}:s=320x240:r=25:d=0.04[b];"
        "[a][b]concat=n=2:v=1,format=yuv420p[v]"
    )
    subprocess.run(
        ["ffmpeg", "-nostdin", "-hide_banner", "-loglevel", "error", "-y", "-threads", "1",
         "-filter_complex", graph, "-map", "[v]", "-c:v", "mpeg1video", "-q:v", "3", "-g", "12",
         "-an", "-f", "mpeg", str(path)],
        check=True, timeout=60,
    )


def write_ini(disc, settings, titles):
    lines = ["[settings]"] + [f"{k}={v}" for k, v in settings.items()] + ["", "[cliplist]"]
    lines += [f"clip{i:02d}={title}" for i, (title, _) in enumerate(titles)]
    lines += ["", "[filelist]"] + [f"{title}={name}" for title, name in titles]
    (disc / "quorix.ini").write_bytes(("\r\n".join(lines) + "\r\n").encode("cp1252"))


def play_all_disc(work, interval):
    disc = work / f"play-all-{interval or 'none'}" / "quorix"
    disc.mkdir(parents=True)
    titles = []
    for number, colour in enumerate(CLIP_COLOURS, start=1):
        name = f"clip{number}.mpg"
        make_flash_clip(disc / name, colour)
        titles.append((f"Clip {number}", name))
    settings = {"menumode": 0, "loopmode": 0, "logomode": 0}
    if interval:
        settings["interval"] = interval
    write_ini(disc, settings, titles)
    return disc


def long_play_disc(work, interval):
    disc = work / f"long-{interval or 'none'}" / "quorix"
    disc.mkdir(parents=True)
    make_clip(disc / "long.mpg", RED, 30)
    settings = {"menumode": 0, "loopmode": 0, "logomode": 0}
    if interval:
        settings["interval"] = interval
    write_ini(disc, settings, [("Long", "long.mpg")])
    return disc


def menu_disc(work, interval):
    disc = program_bench.sample_disc(work, f"menu-{interval or 'none'}", -1, 1)
    if interval:
        ini = disc / "quorix.ini"
        text = ini.read_bytes().decode("cp1252").replace(
            "[settings]\r\n", f"[settings]\r\ninterval={interval}\r\n", 1)
        ini.write_bytes(text.encode("cp1252"))
    return disc


def classify(bgrx):
    """Which picture one screen pixel shows: a clip's colour index, 'white' (a last frame),
    'black' or None (anything else, such as a picture half drawn)."""
    rgb = (bgrx[2], bgrx[1], bgrx[0])
    near = lambda colour: all(abs(a - b) < 45 for a, b in zip(rgb, colour))
    for index, colour in enumerate(CLIP_COLOURS):
        if near(colour):
            return index
    if near(WHITE):
        return "white"
    if max(rgb) < 20:
        return "black"
    return None


def cpu_seconds(pid):
    """User + system time of a process and all its threads, in seconds."""
    fields = Path(f"/proc/{pid}/stat").read_text().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")


def percent_line(name, values):
    values = sorted(values)
    return (f"{name}: median {statistics.median(values):.2f} % of a core, min {values[0]:.2f}, "
            f"max {values[-1]:.2f} (n={len(values)}, load {program_bench.load():.2f})")


class IntervalBench(program_bench.Bench):
    def play_all(self, disc):
        """One run: spawn to exit, and the gaps between clips (last frame to next first)."""
        pixel = lambda: self.screen.area(CENTRE[0], CENTRE[1], 1, 1)
        start = time.monotonic()
        process = self.spawn([self.quorix, str(disc)], disc)
        seen = []  # (time, class) of each change
        last = object()
        while process.poll() is None and time.monotonic() - start < 30:
            try:
                what = classify(pixel())
            except OSError:
                break
            now = time.monotonic()
            if what != last:
                seen.append((now, what))
                last = what
        exited = process.wait(timeout=30)
        total = time.monotonic() - start
        if exited != 0:
            raise RuntimeError(f"the presenter ended with status {exited}")
        # A change of clips counts when the clip's last (white) frame was seen between its first
        # frame and the next clip's; a loaded machine may drop it, and the gap is then unknown.
        gaps, missed = [], 0
        for index in range(len(CLIP_COLOURS) - 1):
            begun, following = self._first(seen, index), self._first(seen, index + 1)
            if begun is None or following is None:
                raise RuntimeError(f"clip {index + 1} or {index + 2} never seen: {seen}")
            whites = [t for t, w in seen if w == "white" and begun < t < following]
            if whites:
                gaps.append(following - whites[0])
            else:
                missed += 1
        self.watch(0.3)
        return total, gaps, missed

    @staticmethod
    def _first(seen, index):
        return next((t for t, w in seen if w == index), None)

    def play_alls(self, discs, runs):
        totals = {name: [] for name in discs}
        gaps = {name: [] for name in discs}
        missed = {name: 0 for name in discs}
        for _ in range(runs):
            for name, disc in discs.items():
                total, between, unseen = self.play_all(disc)
                totals[name].append(total)
                gaps[name].extend(between)
                missed[name] += unseen
        for name in discs:
            print(program_bench.median_line(f"play-all 3 x 1 s, {name}: start to exit",
                                            totals[name]), flush=True)
            print(program_bench.median_line(
                f"play-all 3 x 1 s, {name}: last frame to next clip's first frame", gaps[name])
                + f", last frame not seen {missed[name]} times", flush=True)

    def menus(self, discs, runs):
        for name, disc in discs.items():
            window, menu = [], []
            for _ in range(runs):
                w, m, _ = self.first_window([self.quorix, str(disc)], disc, 2.5)
                window.append(w)
                menu.append(m)
            print(program_bench.median_line(f"menu disc, {name}: start to first painted window",
                                            window), flush=True)
            print(program_bench.median_line(f"menu disc, {name}: start to menu painted", menu),
                  flush=True)

    def cpu_share(self, disc, settle, seconds):
        """Percent of one core the presenter uses over seconds, after settle seconds."""
        process = self.spawn([self.quorix, str(disc)], disc)
        try:
            time.sleep(settle)
            before, at = cpu_seconds(process.pid), time.monotonic()
            time.sleep(seconds)
            after, until = cpu_seconds(process.pid), time.monotonic()
            if process.poll() is not None:
                raise RuntimeError("the presenter ended during the measurement")
        finally:
            end(process)
            self.watch(0.3)
        return 100.0 * (after - before) / (until - at)

    def cpus(self, menus, plays, runs, seconds):
        idle = {name: [] for name in menus}
        playing = {name: [] for name in plays}
        for _ in range(runs):
            for name, disc in menus.items():
                idle[name].append(self.cpu_share(disc, 2.0, seconds))
            for name, disc in plays.items():
                playing[name].append(self.cpu_share(disc, 2.0, seconds))
        for name in menus:
            print(percent_line(f"CPU idle in the menu, {name}", idle[name]), flush=True)
        for name in plays:
            print(percent_line(f"CPU playing a 30 s clip, {name}", playing[name]), flush=True)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("build")
    parser.add_argument("--runs", type=int, default=5)
    parser.add_argument("--interval", type=int, default=100)
    parser.add_argument("--only", default="playall,menu,cpu")
    parser.add_argument("--cpu-seconds", type=float, default=20.0)
    options = parser.parse_args()
    wanted = options.only.split(",")
    work = Path(tempfile.mkdtemp(prefix="quorix-interval-bench-"))
    bench = IntervalBench(options.build, work)
    keyed = f"interval={options.interval}"
    try:
        print(f"# {time.strftime('%Y-%m-%d %H:%M')} Xvfb {SCREEN_WIDTH}x{SCREEN_HEIGHT}x24, "
              f"{os.cpu_count()} cores, load {program_bench.load():.2f}", flush=True)
        if "playall" in wanted:
            bench.play_alls({keyed: play_all_disc(work, options.interval),
                             "no key": play_all_disc(work, None)}, options.runs)
        if "menu" in wanted:
            bench.menus({keyed: menu_disc(work, options.interval),
                         "no key": menu_disc(work, None)}, options.runs)
        if "cpu" in wanted:
            assert options.cpu_seconds + 2.0 < 30, "the play must outlast the measurement"
            bench.cpus({keyed: menu_disc(work, options.interval),
                        "no key": menu_disc(work, None)},
                       {keyed: long_play_disc(work, options.interval),
                        "no key": long_play_disc(work, None)},
                       options.runs, options.cpu_seconds)
    finally:
        bench.close()
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    main()
