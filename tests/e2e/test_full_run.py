#!/usr/bin/env python3
"""A disc as a viewer meets it, started from its own folder ("Quorix Disc", a blank in its name):
menu mode with the first clip as intro, an overscan margin, a background picture and a logo of
the disc's own, a clip named in lower case in the settings and in upper case on disc.

The screen saver is held off from the start; the intro fills the window, its border band cut by
the overscan, the pointer blank; the menu over the background, entry 1 lit; Down and Return play
entry 2, and at its end the menu is back on it; entry 3 plays, Space pauses it, the seventh
pointer move brings up the position panel, dragging its bar shows another frame, Space resumes,
Esc brings the menu back at once; Esc in the menu shows the logo for 3 to 4 s, the program ends
with status 0 and lets the screen saver run again. Then play-all with loop mode: the clips in
turn and the first again, Esc shows the designed logo and the program ends with status 0."""

from pathlib import Path

import harness
from harness import FULL_SCREEN, SCREEN_HEIGHT, SCREEN_WIDTH
from media import BLUE, GREEN, RED, Clip, make_disc
from picture import Picture, near
from screen_checks import (PANEL_TOP, PANEL_WIDTH, bar_thumb, check_bands, filled,
                           highlighted_lines, panel_left, wait_logo_and_end)

OVERSCAN = 40
TITLE, HIGHLIGHT = (255, 255, 255), (255, 255, 16)
MENU_AREA = (150, 100, SCREEN_WIDTH - 150, 680)
VIDEO_AREA = (0, 0, SCREEN_WIDTH, PANEL_TOP - 10)  # above the position panel's row
CLIPS = [Clip("Intro", "red.mpg", RED, seconds=1.5),
         Clip("Green Clip", "green.mpg", GREEN, seconds=2, on_disc="GREEN.MPG"),
         Clip("Blue Clip", "blue.mpg", BLUE, seconds=12)]


def lit(entry, count=3):
    return lambda shot: highlighted_lines(shot, MENU_AREA, TITLE, HIGHLIGHT, count) == [entry]


def showing(colour, share=0.6):
    return lambda shot: filled(shot, FULL_SCREEN, colour, share)


def changes(still):
    """A screen test that holds once two screenshots in a row show the same picture (still) or
    differ (not still: the clip runs)."""
    previous = []

    def test(shot):
        differ = shot.differing(previous[-1], VIDEO_AREA, step=4) if previous else None
        previous[:] = [shot]
        return differ is not None and (differ < 20 if still else differ > 200)

    return test


def menu_disc(s, calls):
    media = make_disc(s.work / "Quorix Disc", CLIPS, {
        "menumode": 1, "intro": 0, "overscan": OVERSCAN, "hilitecolor": "&H0010FFFF",
        "logomode": 1}, {"color": "&H00FFFFFF", "bold": 1})
    s.tool("convert", "-size", "1024x768", "gradient:#203060-#a04020", str(media / "bgrd.jpg"))
    s.tool("convert", "-size", "300x250", "radial-gradient:#f0a030-#102060", "-type", "TrueColor",
           f"BMP3:{media / 'logo.bmp'}")
    s.start_presenter(media)
    held = calls(20)
    s.check(held and held.startswith("Inhibit "), f"the screen saver was not held off: {held}")
    s.main_window()

    check_bands(s, s.wait_for("the intro (red)", showing(RED, 0.7)), RED, OVERSCAN)
    s.wait_pointer(False, "while the intro plays")
    menu = s.wait_for("the menu with entry 1 lit", lit(0), timeout=15)
    s.wait_pointer(True, "in the menu")
    background = Picture.from_file(media / "bgrd.jpg", SCREEN_WIDTH, SCREEN_HEIGHT)
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
    blue_runs = changes(False)
    s.wait_for("entry 3 (blue) running", lambda shot: showing(BLUE)(shot) and blue_runs(shot))
    s.key("space")
    paused = s.wait_for("the picture standing still after Space", changes(True), timeout=5)
    s.hold("the paused picture", lambda shot: shot.differing(paused, VIDEO_AREA, step=4) < 20, 1)

    # Pointer moves over the paused picture: the seventh brings up the position panel. Qt may
    # merge two moves that reach it together, so a loaded machine may need one or two more.
    button = Picture.from_bmp(Path(s.options.source_dir) / "src/ui/pictures/button-left.bmp")
    for moves in range(1, 7):
        s.move(300 + 40 * moves, 300)
    s.hold("no panel after six pointer moves", lambda shot: panel_left(shot, button) is None, 1)
    s.check(s.pointer_pixels() == 0, "the pointer showed before the position panel")
    for moves in range(7, 10):
        s.move(300 + 40 * moves, 300)
        try:
            shot = s.wait_for("the position panel", lambda shot: panel_left(shot, button), 3)
            break
        except harness.Failure:
            if moves == 9:
                raise
    left = panel_left(shot, button)
    s.wait_pointer(True, "with the position panel up")

    thumb = bar_thumb(shot, left)
    s.check(thumb is not None, "no thumb found on the position bar")
    before = s.shot("before the drag")
    s.drag(thumb, (thumb[0] + (90 if thumb[0] < left + PANEL_WIDTH // 2 else -90), thumb[1]))
    s.wait_for("another frame after dragging the bar",
               lambda shot: shot.differing(before, VIDEO_AREA, step=4) > 200, timeout=5)
    s.wait_for("the sought frame standing still", changes(True), timeout=5)

    s.move(512, 300)
    s.key("space")
    s.wait_for("the panel gone after Space", lambda shot: not panel_left(shot, button), 5)
    s.wait_pointer(False, "after Space resumed the clip")
    s.wait_for("entry 3 running again", changes(False), timeout=5)
    s.key("Escape")
    s.wait_for("the menu back at once after Esc, entry 3 lit", lit(2), timeout=3)

    s.key("Escape")
    wait_logo_and_end(s, Picture.from_bmp(media / "logo.bmp"))
    released = calls(2)
    s.check(released == f"UnInhibit {held.split()[1]}",
            f"the screen saver was not let go (the service saw: {released})")


def test(s):
    menu_disc(s, s.screen_saver())

    media = make_disc(s.work / "disc" / "quorix", CLIPS[:2],
                      {"menumode": 0, "loopmode": 1, "logomode": 1})
    s.start_presenter(media.parent)
    s.main_window()
    s.wait_for("the first clip (red)", showing(RED), timeout=10)
    s.wait_for("the second clip (green)", showing(GREEN), timeout=10)
    s.wait_for("the first clip again after the last", showing(RED), timeout=10)
    s.wait_pointer(False, "while the clips loop")
    s.key("Escape")
    wait_logo_and_end(s, Picture.from_bmp(Path(s.options.source_dir) / "src/ui/pictures/logo.bmp"))


if __name__ == "__main__":
    harness.run(test)
