#!/usr/bin/env python3
"""Settings files that leave nothing to play, or name an intro that the catalogue does not hold:
each run ends with its designed message or window and the designed exit, never a crash or a
hang.

- An empty first title, and a settings file of random bytes: no catalogue, so "Video file(s) not
  found! Sorry, cannot play anything." and status 1, without the main window.
- intro 5 with two entries: the intro is entry 6, a catalogue slot without a file, so the open
  names the bare media folder, which no device plays (263): the second window; closed with Return,
  the program ends (no logo).
- intro 20: entry 21 lies outside the catalogue's 16 slots, a failure of its own before the same
  open: "Having trouble in initializing the MPEG video file. (0: 263)", then the closing logo and
  the end with status 0."""

import random
from pathlib import Path

import harness
from harness import SCREEN_HEIGHT, SCREEN_WIDTH, SECOND_WINDOW_SIZE
from media import GREEN, make_small_clip, write_settings
from picture import Picture
from screen_checks import wait_logo_and_end

NO_CLIPS = "Video file(s) not found! Sorry, cannot play anything."
OUTSIDE_CATALOGUE = "Having trouble in initializing the MPEG video file. (0: 263)"


def main_window_shown(s):
    return any(w[1:] == (SCREEN_WIDTH, SCREEN_HEIGHT) for w in s.windows_named("Quorix"))


def no_clips_and_status_1(s, media, what):
    s.start_presenter(media.parent)
    _, box = s.message_box()
    s.check(not main_window_shown(s), f"{what}: the main window shows behind the message")
    s.key("Return")
    status = s.wait_exit(10)
    s.check(status == 1, f"{what}: exit status {status}, not 1")
    s.check_message(box, NO_CLIPS)


def test(s):
    source = Path(s.options.source_dir)
    logo = Picture.from_bmp(source / "src/ui/pictures/logo.bmp")
    cannot_play = Picture.from_bmp(source / "src/ui/pictures/cannot-play.bmp").crop(
        0, 0, *SECOND_WINDOW_SIZE
    )

    # An empty first title ends the catalogue before it starts, whatever follows; the title font
    # is sized from that empty title first.
    media = s.work / "empty-title" / "quorix"
    media.mkdir(parents=True)
    make_small_clip(media / "green.mpg", GREEN)
    write_settings(
        media, {"menumode": 1, "intro": -1}, ["", "Second"], {"Second": "green.mpg"}
    )
    no_clips_and_status_1(s, media, "empty first title")

    # Random bytes: no section header the reader can find.
    media = s.work / "random" / "quorix"
    media.mkdir(parents=True)
    noise = random.Random(1962).randbytes(256 * 1024)
    s.check(b"cliplist" not in noise.lower(), "the random bytes hold a cliplist section")
    (media / "quorix.ini").write_bytes(noise)
    no_clips_and_status_1(s, media, "random bytes")

    # intro 5: the second window, then the end on the next tick; no message box.
    media = s.work / "intro-5" / "quorix"
    media.mkdir(parents=True)
    make_small_clip(media / "green.mpg", GREEN)
    titles = ["One", "Two"]
    write_settings(
        media, {"menumode": 1, "intro": 5}, titles, {t: "green.mpg" for t in titles}
    )
    s.start_presenter(media.parent)
    _, shot = s.second_window()
    wrong = shot.mismatch(cannot_play, 0, 0, tolerance=16, step=2)
    s.log(f"{wrong:.1%} of the second window differs from its design picture")
    s.check(wrong <= 0.05, f"the second window does not show its design: {wrong:.1%} differs")
    s.check(not s.message_boxes(), "a message box shows with the second window")
    s.key("Return")
    status = s.wait_exit(5)
    s.check(status == 0, f"exit status {status} after the second window, not 0")

    # intro 20, with the logo: the message, the logo for 3 to 4 seconds, the end.
    media = s.work / "intro-20" / "quorix"
    media.mkdir(parents=True)
    make_small_clip(media / "green.mpg", GREEN)
    write_settings(
        media,
        {"menumode": 1, "intro": 20, "logomode": 1},
        titles,
        {t: "green.mpg" for t in titles},
    )
    s.start_presenter(media.parent)
    _, box = s.message_box()
    s.key("Return")
    wait_logo_and_end(s, logo)
    s.check_message(box, OUTSIDE_CATALOGUE)


if __name__ == "__main__":
    harness.run(test)
