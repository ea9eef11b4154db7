#!/usr/bin/env python3
"""File names in the settings that look like parts of a device command never change the command:
the open names exactly the catalogue's file, or nothing, and fails with a message.

Each disc holds a playable clip (green) that a changed command would open instead:
- "a alias b.mpg": the whole name is one file, which is missing:
  "Having trouble in initializing the MPEG video file. (1: 275)".
- "b.mpg wait": one file again, whose extension is "mpg wait", so no device is named for it (263):
  the second window.
- 'b.mpg" wait "notify' and 'b"quote.mpg' (on disc under that very name): a double quote cannot
  be written inside a name in a command, so no open is sent and the failure is reported before
  the device is asked: "... (0: 0)".
- "b<NUL>.mpg", with a clip "b" on disc: no file name holds a NUL, and cut short there the name
  would open "b"; nothing is sent, and the viewer learns the file is missing: "... (1: 275)".
Without a logo the program then ends with status 0; green never shows."""

import time

import harness
from harness import FULL_SCREEN
from media import GREEN, make_small_clip, write_settings
from screen_checks import filled

MISSING = "Having trouble in initializing the MPEG video file. (1: 275)"
NOT_SENT = "Having trouble in initializing the MPEG video file. (0: 0)"
SECOND_WINDOW = None


def fails_without_playing(s, name, file_name, on_disc, message):
    """The open of file_name fails with message (or the second window) and nothing plays."""
    media = s.work / name / "quorix"
    media.mkdir(parents=True)
    for clip in on_disc:
        make_small_clip(media / clip, GREEN)
    write_settings(media, {"menumode": 0, "logomode": 0}, ["Only"], {"Only": file_name})
    s.start_presenter(media.parent)
    if message is SECOND_WINDOW:
        s.second_window()
        s.check(not s.message_boxes(), f"{name}: a message box shows with the second window")
    else:
        _, box = s.message_box()
    s.check(
        not filled(s.shot(), FULL_SCREEN, GREEN, share=0.3), f"{name}: a clip plays before the box"
    )
    s.key("Return")
    since = time.monotonic()
    while s.presenter.poll() is None and time.monotonic() - since < 4:
        s.check(not filled(s.shot(), FULL_SCREEN, GREEN, share=0.3), f"{name}: a clip plays")
    status = s.wait_exit(2)
    s.check(status == 0, f"{name}: exit status {status}, not 0")
    if message is not SECOND_WINDOW:
        s.check_message(box, message)


def test(s):
    # Split at their blanks, these would open "a" (no device for it) or b.mpg with "wait".
    fails_without_playing(s, "alias-keyword", "a alias b.mpg", ["a", "b.mpg"], MISSING)
    fails_without_playing(s, "wait-keyword", "b.mpg wait", ["b.mpg"], SECOND_WINDOW)
    # In quotes, the name's own quotes would end the name at b.mpg and add two flags.
    fails_without_playing(s, "quotes-and-flags", 'b.mpg" wait "notify', ["b.mpg"], NOT_SENT)
    # A quote without a blank: refused the same way, even though the file exists here.
    fails_without_playing(s, "quote", 'b"quote.mpg', ['b"quote.mpg'], NOT_SENT)
    # Cut short at the NUL, the name would open b, whose extension was never judged.
    fails_without_playing(s, "nul", "b\0.mpg", ["b"], MISSING)


if __name__ == "__main__":
    harness.run(test)
