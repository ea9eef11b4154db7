#!/usr/bin/env python3
"""Media files that are not what their names say. Each run shows the designed message or window
and goes on as a failed open does (the logo or the end, status 0), or plays what there is.

- A clip of zero bytes, one of random bytes, and one with sound but no picture: the device
  cannot play them as video (296): "Having trouble in initializing the MPEG video file. (1: 296)";
  without a logo the program then ends.
- A playable clip under an extension no device is registered for: the open names no device
  (263), so the second window shows instead of a message; its "Ok" button closes it, and the
  closing logo follows.
- A clip cut off half way: it plays what it has and the program ends as after a whole clip.
- frame.jpg, bgrd.jpg and logo.bmp that are not pictures: they are passed over without a word,
  as if they were absent: the menu on the designed black ground, and the designed logo at the
  end."""

import random
import time
from pathlib import Path

import harness
from harness import FULL_SCREEN, SCREEN_HEIGHT, SCREEN_WIDTH, SECOND_WINDOW_SIZE
from media import GREEN, make_small_clip, make_sound_only_clip, write_settings
from picture import Picture, dark
from screen_checks import filled, highlighted_lines, wait_logo_and_end

NOT_VIDEO = "Having trouble in initializing the MPEG video file. (1: 296)"
# Title colour 65280 (green) and the highlight derived from it (pink).
FONT = {"color": 65280, "bold": 1}
TITLE, HIGHLIGHT = (0, 255, 0), (255, 128, 255)
MENU_AREA = (150, 100, SCREEN_WIDTH - 150, 680)
# The second window's "Ok" button: 3480, 3540, 1380 x 360 twips.
OK_BUTTON_CENTRE = (232 + 92 // 2, 236 + 24 // 2)


def disc(s, name, clip, settings):
    """A media folder whose one catalogue entry names clip; the folder."""
    media = s.work / name / "quorix"
    media.mkdir(parents=True)
    write_settings(media, settings, ["Only"], {"Only": clip})
    return media


def refused_as_not_video(s, name, make):
    media = disc(s, name, "clip.mpg", {"menumode": 0, "logomode": 0})
    make(media / "clip.mpg")
    s.start_presenter(media.parent)
    _, box = s.message_box()
    s.key("Return")
    status = s.wait_exit(5)
    s.check(status == 0, f"{name}: exit status {status}, not 0")
    s.check_message(box, NOT_VIDEO)




def test(s):
    source = Path(s.options.source_dir)
    logo = Picture.from_bmp(source / "src/ui/pictures/logo.bmp")
    cannot_play = Picture.from_bmp(source / "src/ui/pictures/cannot-play.bmp").crop(
        0, 0, *SECOND_WINDOW_SIZE
    )

    refused_as_not_video(s, "zero-bytes", lambda path: path.write_bytes(b""))
    refused_as_not_video(
        s, "random-bytes", lambda path: path.write_bytes(random.Random(7).randbytes(200_000))
    )
    refused_as_not_video(s, "sound-only", make_sound_only_clip)

    # A good clip named .xyz: the second window, closed by a click on "Ok"; then the logo.
    media = disc(s, "unknown-extension", "clip.xyz", {"menumode": 0, "logomode": 1})
    make_small_clip(media / "clip.xyz", GREEN)
    s.start_presenter(media.parent)
    window, shot = s.second_window()
    wrong = shot.mismatch(cannot_play, 0, 0, tolerance=16, step=2)
    s.log(f"{wrong:.1%} of the second window differs from its design picture")
    s.check(wrong <= 0.05, f"the second window does not show its design: {wrong:.1%} differs")
    s.check(not s.message_boxes(), "a message box shows with the second window")
    s.click(*OK_BUTTON_CENTRE, window=window)
    wait_logo_and_end(s, logo)

    # The first half of a 2-second clip: it plays, and the program ends without a message.
    media = disc(s, "truncated", "clip.mpg", {"menumode": 0, "logomode": 0})
    make_small_clip(media / "whole.mpg", GREEN, seconds=2, grain=20)
    whole = (media / "whole.mpg").read_bytes()
    (media / "clip.mpg").write_bytes(whole[: len(whole) // 2])
    (media / "whole.mpg").unlink()
    s.start_presenter(media.parent)
    s.main_window()
    s.wait_for(
        "the cut clip playing",
        lambda shot: filled(shot, FULL_SCREEN, GREEN, share=0.8),
        timeout=10,
    )
    played = time.monotonic()
    while s.presenter.poll() is None and time.monotonic() - played < 8:
        s.check(not s.message_boxes(), "a message box shows for the cut clip")
        time.sleep(0.2)
    status = s.wait_exit(2)
    s.check(status == 0, f"exit status {status} after the cut clip, not 0")

    # Pictures that are not pictures: the menu over black, then the designed logo.
    media = s.work / "pictures" / "quorix"
    media.mkdir(parents=True)
    make_small_clip(media / "green.mpg", GREEN)
    titles = ["One", "Two"]
    write_settings(
        media,
        {"menumode": 1, "intro": -1, "logomode": 1, "hilitecolor": 0},
        titles,
        {t: "green.mpg" for t in titles},
        FONT,
    )
    (media / "frame.jpg").write_bytes(random.Random(8).randbytes(50_000))
    (media / "bgrd.jpg").write_bytes(b"This is not a picture.\r\n" * 100)
    (media / "logo.bmp").write_bytes(b"BM" + bytes(52))
    s.start_presenter(media.parent)
    s.main_window()
    menu = s.wait_for(
        "the menu with entry 1 lit",
        lambda shot: highlighted_lines(shot, MENU_AREA, TITLE, HIGHLIGHT, 2) == [0],
    )
    s.check(not s.message_boxes(), "a message box shows for the pictures")
    for rect in ((0, 0, SCREEN_WIDTH, 150), (0, SCREEN_HEIGHT - 150, SCREEN_WIDTH, SCREEN_HEIGHT)):
        s.check(menu.fraction(rect, dark) > 0.99, f"something is drawn at {rect} behind the menu")
    s.key("Escape")
    wait_logo_and_end(s, logo)


if __name__ == "__main__":
    harness.run(test)
