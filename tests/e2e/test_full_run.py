#!/usr/bin/env python3
"""A disc as a viewer meets it, started from its own folder ("Quorix Disc", a blank in its name):
menu mode with the first clip as intro, an overscan margin, a background picture and a logo of
the disc's own, a clip named in lower case in the settings and in upper case on disc; the screen
saver held off from start to end."""

import harness
from media import BLUE, GREEN, RED, Clip, make_disc
from picture import (FULL_SCREEN, SCREEN_HEIGHT, SCREEN_WIDTH, Picture, changes, check_bands,
                     filled, lit_lines, near, wait_logo_and_end)

OVERSCAN = 40
TITLE, HIGHLIGHT = (255, 255, 255), (255, 255, 16)
MENU_AREA = (150, 100, SCREEN_WIDTH - 150, 680)
CLIPS = [Clip("Intro", "red.mpg", RED, 1.5), Clip("Green Clip", "green.mpg", GREEN, 2, "GREEN.MPG"),
         Clip("Blue Clip", "blue.mpg", BLUE, 6)]


def lit(entry):
    return lambda shot: lit_lines(shot, MENU_AREA, TITLE, HIGHLIGHT, 3) == [entry]


def showing(colour, share=0.6):
    return lambda shot: filled(shot, FULL_SCREEN, colour, share)


def test(s):
    calls = s.screen_saver()
    media = make_disc(s.work / "Quorix Disc", CLIPS, {
        "menumode": 1, "intro": 0, "overscan": OVERSCAN, "hilitecolor": "&H0010FFFF",
        "logomode": 1}, {"color": "&H00FFFFFF", "bold": 1})
    s.tool("convert", "-size", "1024x768", "gradient:#203060-#a04020", str(media / "bgrd.jpg"))
    s.tool("convert", "-size", "300x250", "radial-gradient:#f0a030-#102060", "-type", "TrueColor",
           f"BMP3:{media / 'logo.bmp'}")
    s.start(media)
    held = calls(20)
    s.check(held and held.startswith("Inhibit "), f"the screen saver was not held off: {held}")
    s.focused("the full-screen main window", harness.FULL)

    check_bands(s, s.wait_for("the intro (red)", showing(RED, 0.7)), RED, OVERSCAN)
    s.wait_pointer(False, "while the intro plays")
    menu = s.wait_for("the menu with entry 1 lit", lit(0), timeout=15)
    s.wait_pointer(True, "in the menu")
    background = Picture.from_file(media / "bgrd.jpg", "-resize", "1024x768!")
    beside = [(x, y) for left in (0, SCREEN_WIDTH - 150)
              for x, y in menu.points(left, 0, left + 150, SCREEN_HEIGHT, 16)]
    matching = sum(near(menu.pixel(*p), background.pixel(*p), 30) for p in beside)
    s.check(matching >= 0.85 * len(beside), f"the menu is not drawn over bgrd.jpg: {matching} of "
            f"{len(beside)} points beside the titles match the stretched picture")

    s.key("Down")
    s.wait_for("the highlight on entry 2", lit(1), timeout=5)
    s.key("Return")
    s.wait_for("entry 2 (green, GREEN.MPG on disc)", showing(GREEN), timeout=10)
    s.wait_pointer(False, "while entry 2 plays")
    s.wait_for("the menu back on entry 2 after its end", lit(1), timeout=10)

    s.key("Down", "Return")
    blue_runs = changes(FULL_SCREEN, limit=200)
    s.wait_for("entry 3 (blue) running", lambda shot: showing(BLUE)(shot) and blue_runs(shot))
    s.key("Escape")
    s.wait_for("the menu back at once after Esc, entry 3 lit", lit(2), timeout=3)

    s.key("Escape")
    wait_logo_and_end(s, Picture.from_file(media / "logo.bmp"))
    released = calls(2)
    s.check(released == f"UnInhibit {held.split()[1]}",
            f"the screen saver was not let go (the service saw: {released})")


if __name__ == "__main__":
    harness.run(test)
