#!/usr/bin/env python3
"""Discs whose author got something wrong, where the real program must be seen: each row is one
run on a disc of one clip entry, showing a message box with its text, the second window with its
design picture, or the clip played as far as it goes; then the logo or not, and the exit status.
Never a crash, a hang, or a clip that a changed device command would open (green)."""

from pathlib import Path

import harness
from harness import BOXED, FULL, SECOND_WINDOW_SIZE
from media import GREEN, ffmpeg, make_clip, write_settings
from picture import FULL_SCREEN, Picture, check_bands, filled, logo_shown, wait_logo_and_end

NO_CLIPS = "Video file(s) not found! Sorry, cannot play anything."
SECOND = "second window"
OK_BUTTON = (232 + 92 // 2, 236 + 24 // 2)  # the second window's "Ok": 3480, 3540, 1380 x 360 twips
PLAY, LOGO = {"menumode": 0, "logomode": 0}, {"menumode": 0, "logomode": 1}


def opening(error):
    return f"Having trouble in initializing the MPEG video file. ({error})"


def cut(path):
    """The first half of a 2-second clip."""
    make_clip(path, GREEN, 2)
    path.write_bytes(path.read_bytes()[: path.stat().st_size // 2])


# name, settings, the entry's file name, the files on disc (a colour: a clip of it; else how to
# make the file) and what shows. The exit status is 1 where a failure ends the presentation
# (nothing to play, a clip that does not open), else 0.
ROWS = [
    ("no clip list", {"menumode": 1}, None, {}, NO_CLIPS),
    ("missing clip", LOGO, "gone.mpg", {}, opening("1: 275")),
    ("sound only", PLAY, "a.mpg", {"a.mpg": lambda p: ffmpeg(p, "-f", "lavfi", "-i", "sine=d=1",
                                                            "-c:a", "mp2")}, opening("1: 296")),
    ("unknown extension", LOGO, "a.xyz", {"a.xyz": GREEN}, SECOND),
    # A name that looks like a device command with an alias of its own never changes the command.
    ("alias", PLAY, "a alias b.mpg", {"a": GREEN, "b.mpg": GREEN}, opening("1: 275")),
    ("cut clip", PLAY, "a.mpg", {"a.mpg": cut}, GREEN),
]


def run_row(s, name, settings, entry, files, shows, pictures):
    logo, status = settings.get("logomode") == 1, int(shows != GREEN)
    media = s.work / name.replace(" ", "-") / "quorix"
    media.mkdir(parents=True)
    titles = [] if entry is None else ["Only"]
    write_settings(media, settings, titles, {"Only": entry} if titles else {})
    for file, make in files.items():
        make_clip(media / file, make, 1) if isinstance(make, tuple) else make(media / file)
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
        s.check(shows != NO_CLIPS or not s.windows(FULL),
                f"{name}: the main window shows behind the message")
        s.key("Return")
    else:
        s.focused("the full-screen main window", FULL)
        check_bands(s, s.wait_for(f"{name}: the clip", lambda shot: filled(shot, FULL_SCREEN,
                                                                          shows)), shows)
    if logo:
        wait_logo_and_end(s, pictures["logo"], status)
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
