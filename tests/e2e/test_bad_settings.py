#!/usr/bin/env python3
"""Settings files with values nobody meant, that still lead to a menu or a clip: a number that
does not fit its field counts as an absent key, text without a number reads as 0, a title font
whose factor is 0 or negative stays at its smallest size, only 16 titles make the catalogue, a
title longer than a value can be is cut, an entry without a placing value of its own takes the
automatic place beside one that has them, and a settings file of 10 MB is read like a small one.

Each run must reach what its settings lead to and end with status 0; a run that crashes, hangs or
shows a message fails."""

import time
from pathlib import Path

import harness
from harness import FULL_SCREEN, SCREEN_HEIGHT, SCREEN_WIDTH
from media import (
    BLUE,
    BORDER,
    CLIP_BORDER,
    CLIP_HEIGHT,
    CLIP_WIDTH,
    GREEN,
    RED,
    make_clip,
    make_small_clip,
    write_settings,
)
from picture import Picture, near
from screen_checks import band_width, centred, filled, find_picture, menu_lines

# Title colour 65280 (&H00FF00, green) and the highlight derived from it, &HFF80FF (pink): smoothed
# edges of one never come near the other. (Written in decimal: "&H0000FF00" has four significant
# hex digits, so it reads as the 16-bit -256.)
FONT = {"color": 65280, "bold": 1}
TITLE, HIGHLIGHT = (0, 255, 0), (255, 128, 255)
# A title at the smallest font size is a few pixels high; its lines lie well apart.
SMALL_GAP = 4
SMALL_TITLE_HEIGHT = 12


def no_message_box(s):
    boxes = s.message_boxes()
    s.check(not boxes, f"a message box is up: {boxes}")


def ends_without_logo(s, logo, within):
    """The program ends with status 0 within seconds, never showing the logo."""
    x0, y0 = centred(logo)
    since = time.monotonic()
    while s.presenter.poll() is None and time.monotonic() - since < within:
        s.check(not find_picture(s.shot(), logo, x0, y0)[2], "the logo shows")
        no_message_box(s)
    status = s.wait_exit(2)
    s.check(status == 0, f"exit status {status}, not 0")


def play_all_as_without_keys(s, name, settings, font, logo):
    """One clip over the whole window without overscan, then the end without loop or logo:
    what every mode key absent gives."""
    media = s.work / name / "quorix"
    media.mkdir(parents=True)
    make_clip(media / "clip.mpg", GREEN, 1)
    write_settings(media, settings, ["Only"], {"Only": "clip.mpg"}, font, {"xpos00": "1e12"})
    s.start_presenter(media.parent)
    s.main_window()
    shot = s.wait_for(
        f"{name}: the clip over the whole window",
        lambda shot: filled(shot, FULL_SCREEN, GREEN, share=0.6),
        timeout=10,
    )
    no_message_box(s)
    # Wide mode would leave black bands above and below; overscan would cut the border band.
    across = CLIP_BORDER * SCREEN_WIDTH / CLIP_WIDTH
    down = CLIP_BORDER * SCREEN_HEIGHT / CLIP_HEIGHT
    left = band_width(shot, (0, 200), (1, 0), BORDER, GREEN)
    top = band_width(shot, (200, 0), (0, 1), BORDER, GREEN)
    s.check(
        abs(left - across) <= 4 and abs(top - down) <= 4,
        f"{name}: border bands {left} x {top} pixels, not {across:.0f} x {down:.0f}: the picture "
        "is not placed as without widemode and overscan",
    )
    # Without loop, menu or logo the program ends on the tick after the clip.
    ends_without_logo(s, logo, 6)


def small_title_lines(shot, count):
    """The menu's lines when there are count of them and each is as high as a title at the
    smallest size; None otherwise."""
    lines = menu_lines(shot, FULL_SCREEN, TITLE, HIGHLIGHT, gap=SMALL_GAP)
    if len(lines) != count:
        return None
    if any(bottom - top >= SMALL_TITLE_HEIGHT for top, bottom, _ in lines):
        return None
    return lines


def lit_line(count, entry):
    def test(shot):
        lines = small_title_lines(shot, count)
        return lines is not None and [i for i, (_, _, lit) in enumerate(lines) if lit] == [entry]

    return test


def title_columns(shot, top, bottom):
    """The leftmost and rightmost columns holding title or highlight colour between two rows."""
    columns = [
        x
        for x in range(SCREEN_WIDTH)
        for y in range(top, bottom + 1)
        if near(shot.pixel(x, y), TITLE, 40) or near(shot.pixel(x, y), HIGHLIGHT, 40)
    ]
    return min(columns), max(columns)


def test(s):
    logo = Picture.from_bmp(Path(s.options.source_dir) / "src/ui/pictures/logo.bmp")

    # Every numeric key out of its field's range. A value wrapped into 16 bits instead would show:
    # 65537 is 1 for menumode (a menu after the clip, no end), loopmode (the clip again),
    # logomode (the logo) and widemode (a 16:9 band); 65600 is an overscan of 64 pixels.
    play_all_as_without_keys(
        s,
        "out-of-range",
        {
            "widemode": 65537, "menumode": 65537, "loopmode": 65537, "hidemode": 99999,
            "shadowmode": -40000, "overscan": 65600, "intro": 32767, "lineoffset": "1e40",
            "hilitecolor": "&H1FFFFFFFF", "logomode": 65537,
        },
        {"factor": 2147483648, "color": 4294967296, "bold": "1e400", "italic": "1e400"},
        logo,
    )

    # Text without a number reads as 0: the same run. A factor of 0 must not grow the title font
    # for ever.
    play_all_as_without_keys(
        s,
        "not-numbers",
        {
            "widemode": "yes", "menumode": "one", "loopmode": "on", "hidemode": "x",
            "shadowmode": "?", "overscan": "wide", "intro": "first", "lineoffset": "abc",
            "hilitecolor": "red", "logomode": "true",
        },
        {"factor": "big", "color": "white", "bold": "bold", "italic": "-"},
        logo,
    )

    # Menu mode with a font factor of 0, a highlight colour without a number (so derived from
    # the title colour), a line spacing too large for a float (so the default 1.5), mode keys
    # out of range (so absent: no shadows, titles shown, no logo). Entry 1 is placed by its own
    # values (xpos00 2000, ypos00 4000: the middle column, a quarter down); entry 2 has xpos 0 and
    # entry 3 no ypos, so both take their automatic places. Entry 2's title has 300 characters,
    # of which a value keeps 255; its file entry is keyed by what is kept.
    media = s.work / "menu" / "quorix"
    media.mkdir(parents=True)
    make_small_clip(media / "green.mpg", GREEN)
    long_title = ("A title far longer than any screen, " * 9)[:300]
    write_settings(
        media,
        {
            "menumode": 1, "intro": -1, "hilitecolor": "abc", "lineoffset": "1e40",
            "shadowmode": 1e9, "hidemode": 70000, "logomode": 70000,
        },
        ["First entry", long_title, "Third entry"],
        {"First entry": "green.mpg", long_title[:255]: "green.mpg", "Third entry": "green.mpg"},
        {**FONT, "factor": 0},
        {"xpos00": 2000, "ypos00": 4000, "xpos01": 0, "ypos01": 2000, "xpos02": 3000},
    )
    s.start_presenter(media.parent)
    s.main_window()
    menu = s.wait_for("the menu of 3 small titles, entry 1 lit", lit_line(3, 0))
    no_message_box(s)
    lines = small_title_lines(menu, 3)
    s.log(f"menu lines {lines}")
    first = lines[0]
    s.check(
        192 <= first[0] <= 192 + SMALL_TITLE_HEIGHT,
        f"entry 1's line starts at row {first[0]}, not just below row 192",
    )
    left, _ = title_columns(menu, first[0], first[1])
    s.check(512 <= left <= 520, f"entry 1 starts at column {left}, not just right of 512")
    # The automatic place: the long title is wider than the screen, the third centred.
    left, right = title_columns(menu, lines[1][0], lines[1][1])
    s.check(
        left <= 10 and right >= SCREEN_WIDTH - 11,
        f"the long title spans columns {left} to {right}, not the whole screen",
    )
    left, right = title_columns(menu, lines[2][0], lines[2][1])
    s.check(
        abs((left + right) / 2 - SCREEN_WIDTH / 2) <= 8,
        f"entry 3 spans columns {left} to {right}, not centred",
    )
    pitch = lines[2][0] - lines[1][0]
    s.check(
        10 <= pitch <= 3 * SMALL_TITLE_HEIGHT,
        f"the automatic lines lie {pitch} rows apart, not about 1.5 title heights",
    )
    s.key("Down")
    s.wait_for("the highlight on the long title", lit_line(3, 1), timeout=5)
    s.key("Return")
    s.wait_for(
        "the long title's clip playing",
        lambda shot: filled(shot, FULL_SCREEN, GREEN, share=0.8),
        timeout=10,
    )
    s.wait_for("the menu back, the long title lit", lit_line(3, 1), timeout=10)
    s.key("Escape")
    ends_without_logo(s, logo, 4)

    # Seventeen titles with file entries and a negative font factor: sixteen small entries,
    # centred (xpos00 and ypos00 do not fit 32 bits, so they count as absent); Up from the first
    # wraps to the sixteenth, whose clip (blue) plays, never the seventeenth's (red).
    media = s.work / "seventeen" / "quorix"
    media.mkdir(parents=True)
    make_small_clip(media / "green.mpg", GREEN)
    make_small_clip(media / "blue.mpg", BLUE)
    make_small_clip(media / "red.mpg", RED)
    titles = [f"Entry number {n:02d}" for n in range(1, 18)]
    files = {title: "green.mpg" for title in titles}
    files[titles[15]] = "blue.mpg"
    files[titles[16]] = "red.mpg"
    write_settings(
        media,
        {"menumode": 1, "intro": -1, "hilitecolor": 0, "lineoffset": 25},
        titles,
        files,
        {**FONT, "factor": -3495},
        {"xpos00": 99999999999, "ypos00": "-1e15"},
    )
    s.start_presenter(media.parent)
    s.main_window()
    menu = s.wait_for("16 small titles, entry 1 lit", lit_line(16, 0))
    for top, bottom, _ in small_title_lines(menu, 16):
        left, right = title_columns(menu, top, bottom)
        s.check(
            abs((left + right) / 2 - SCREEN_WIDTH / 2) <= 8,
            f"the line at row {top} spans columns {left} to {right}, not centred",
        )
    s.key("Up")
    s.wait_for("the highlight on entry 16", lit_line(16, 15), timeout=5)
    s.key("Return")

    def blue_not_red(shot):
        s.check(not filled(shot, FULL_SCREEN, RED, share=0.5), "the 17th title's clip plays")
        return filled(shot, FULL_SCREEN, BLUE, share=0.8)

    s.wait_for("entry 16's clip (blue) playing", blue_not_red, timeout=10)
    s.wait_for("the menu back, entry 16 lit", lit_line(16, 15), timeout=10)
    s.key("Escape")
    ends_without_logo(s, logo, 4)

    # 10 MB of settings: the keys at the top, then a long run of other sections and keys, and a
    # value of a megabyte. The clip plays and the program ends as with a small file.
    media = s.work / "large" / "quorix"
    media.mkdir(parents=True)
    make_small_clip(media / "green.mpg", GREEN)
    write_settings(media, {"menumode": 0}, ["Only"], {"Only": "green.mpg"})
    with open(media / "quorix.ini", "ab") as ini:
        ini.write(b"[settings]\r\nmenumode=1\r\nlong=" + b"x" * 1_000_000 + b"\r\n")
        block = b"".join(b"key%06d=value %d of the filler\r\n" % (i, i) for i in range(10_000))
        section = 0
        while ini.tell() < 10_000_000:
            ini.write(b"[filler%d]\r\n" % section + block)
            section += 1
    s.check((media / "quorix.ini").stat().st_size >= 10_000_000, "the settings file is small")
    started = time.monotonic()
    s.start_presenter(media.parent)
    s.main_window()
    s.wait_for(
        "the clip named by the large file",
        lambda shot: filled(shot, FULL_SCREEN, GREEN, share=0.8),
        timeout=10,
    )
    s.log(f"the clip showed {time.monotonic() - started:.1f} s after the start")
    ends_without_logo(s, logo, 6)


if __name__ == "__main__":
    harness.run(test)
