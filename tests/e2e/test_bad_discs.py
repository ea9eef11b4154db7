#!/usr/bin/env python3
"""Discs whose author got something wrong. Each row is one run of the presenter on a disc of one
clip entry: what it must show (a message box with its text, the second window with its design
picture, or a clip played as if the bad keys were absent: whole picture, no overscan), then the
logo or not, and its exit status. Never a crash, a hang, or a clip that a changed device command
would open (green)."""

import random
from pathlib import Path

import harness
from harness import BOXED, FULL, SECOND_WINDOW_SIZE
from media import GREEN, ffmpeg, make_clip, write_settings
from picture import FULL_SCREEN, Picture, check_bands, filled, logo_shown, wait_logo_and_end

NO_CLIPS = "Video file(s) not found! Sorry, cannot play anything."
SECOND = "second window"
OK_BUTTON = (232 + 92 // 2, 236 + 24 // 2)  # the second window's "Ok": 3480, 3540, 1380 x 360 twips
# Every numeric key out of its field's range, or text without a number (which reads as 0). A
# value wrapped into 16 bits would show: 65537 is 1 for the modes (a menu, the clip again, the
# logo, a 16:9 band); 65600 an overscan of 64.
OUT_OF_RANGE = {"widemode": 65537, "menumode": 65537, "loopmode": 65537, "hidemode": 99999,
                "shadowmode": -40000, "overscan": 65600, "intro": 32767, "lineoffset": "1e40",
                "hilitecolor": "&H1FFFFFFFF", "logomode": 65537}
NOT_NUMBERS = dict.fromkeys(OUT_OF_RANGE, "one")
PLAY = {"menumode": 0, "logomode": 0}


def opening(error):
    return f"Having trouble in initializing the MPEG video file. ({error})"


def noise(seed, size):
    return lambda path: path.write_bytes(random.Random(seed).randbytes(size))


def cut(path):
    """The first half of a 2-second clip."""
    make_clip(path, GREEN, 2)
    path.write_bytes(path.read_bytes()[: path.stat().st_size // 2])


def ten_megabytes(media):
    """After the keys, a value of a megabyte and 10 MB of other sections."""
    with open(media / "quorix.ini", "ab") as ini:
        ini.write(b"[settings]\r\nmenumode=1\r\nlong=" + b"x" * 1_000_000 + b"\r\n")
        block = b"".join(b"key%06d=value %d\r\n" % (i, i) for i in range(10_000))
        while ini.tell() < 10_000_000:
            ini.write(b"[filler%d]\r\n" % ini.tell() + block)


# name, settings, the entry's name in them, the files on disc (a colour: a clip of it; else how to
# make the file) and what shows. The logo follows where the settings ask for it; the exit status
# is 1 where there is nothing to play, else 0.
A, LOGO, MENU = {"a.mpg": GREEN}, {"menumode": 0, "logomode": 1}, {"menumode": 1}
ROWS = [
    ("no clip list", MENU, None, {}, NO_CLIPS),
    ("empty first title", MENU, "", A, NO_CLIPS),
    ("random settings", None, None, {"quorix.ini": noise(1962, 256 * 1024)}, NO_CLIPS),
    ("missing clip", LOGO, "gone.mpg", {}, opening("1: 275")),
    ("zero bytes", PLAY, "a.mpg", {"a.mpg": lambda p: p.write_bytes(b"")}, opening("1: 296")),
    ("random bytes", PLAY, "a.mpg", {"a.mpg": noise(7, 200_000)}, opening("1: 296")),
    ("sound only", PLAY, "a.mpg", {"a.mpg": lambda p: ffmpeg(p, "-f", "lavfi", "-i", "sine=d=1",
                                                            "-c:a", "mp2")}, opening("1: 296")),
    ("unknown extension", LOGO, "a.xyz", {"a.xyz": GREEN}, SECOND),
    # The catalogue's slot 6 has no file: the bare folder is opened, which no device plays.
    ("intro 5", {**MENU, "intro": 5}, "a.mpg", A, SECOND),
    ("intro 20", {**MENU, "intro": 20, "logomode": 1}, "a.mpg", A, opening("0: 263")),
    # Names that look like parts of a device command never change the command.
    ("alias", PLAY, "a alias b.mpg", {"a": GREEN, "b.mpg": GREEN}, opening("1: 275")),
    ("wait", PLAY, "b.mpg wait", {"b.mpg": GREEN}, SECOND),
    ("quotes", PLAY, 'b.mpg" wait "notify', {"b.mpg": GREEN}, opening("0: 0")),
    ("quote", PLAY, 'b"q.mpg', {'b"q.mpg': GREEN}, opening("0: 0")),
    ("nul", PLAY, "b\0.mpg", {"b": GREEN}, opening("1: 275")),
    ("cut clip", PLAY, "a.mpg", {"a.mpg": cut}, GREEN),
    ("out of range", OUT_OF_RANGE, "a.mpg", A, GREEN),
    ("not numbers", NOT_NUMBERS, "a.mpg", A, GREEN),
    ("10 MB of settings", {"menumode": 0}, "a.mpg", {**A, "": ten_megabytes}, GREEN),
]


def run_row(s, name, settings, entry, files, shows, pictures):
    logo, status = (settings or {}).get("logomode") == 1, int(shows == NO_CLIPS)
    media = s.work / name.replace(" ", "-") / "quorix"
    media.mkdir(parents=True)
    if settings is not None:
        titles = [] if entry is None else ["", "Second"] if entry == "" else ["Only"]
        write_settings(media, settings, titles, {titles[-1]: entry or "a.mpg"} if titles else {})
    for file, make in files.items():
        if isinstance(make, tuple):
            make_clip(media / file, make, 1)
        else:
            make(media / file if file else media)
    s.start(media.parent)
    box = None
    if shows == SECOND:
        window, picture = s.focused("the second window", lambda *size: size == SECOND_WINDOW_SIZE,
                                    ("--pid", str(s.presenter.pid)))
        s.check(picture.shows(pictures["cannot-play"], 0, 0, 16, 0.05),
                f"{name}: the second window does not show its design")
        s.check(not s.windows(BOXED), f"{name}: a message box shows with the second window")
        s.click(*OK_BUTTON, window)
    elif isinstance(shows, str):
        _, box = s.focused("a message box", BOXED)
        s.check(status == 0 or not s.windows(FULL),
                f"{name}: the main window shows behind the message")
        s.key("Return")
    else:
        s.focused("the full-screen main window", FULL)
        check_bands(s, s.wait_for(f"{name}: the clip", lambda shot: filled(shot, FULL_SCREEN,
                                                                          shows)), shows)
    if logo:
        wait_logo_and_end(s, pictures["logo"])
    else:
        s.hold(f"{name}: no logo, no message, no green clip", lambda shot: not (
            logo_shown(shot, pictures["logo"])
            or (shows != GREEN and filled(shot, FULL_SCREEN, GREEN, 0.3))
            or (box is None and s.windows(BOXED))), 8)
        exit_status = s.wait_exit(2)
        s.check(exit_status == status, f"{name}: exit status {exit_status}, not {status}")
    if box is not None:
        s.check_message(box, shows)


def test(s):
    source = Path(s.options.source_dir) / "src/ui/pictures"
    pictures = {"logo": Picture.from_file(source / "logo.bmp"), "cannot-play": Picture.from_file(
        source / "cannot-play.bmp", "-crop", "%dx%d+0+0" % SECOND_WINDOW_SIZE)}
    for row in ROWS:
        s.log(f"--- {row[0]}")
        run_row(s, *row, pictures)


if __name__ == "__main__":
    harness.run(test)
