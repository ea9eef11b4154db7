"""What the tests read off a screenshot of the presenter: menu lines and the highlight, a clip's
ground colour, the border band the window leaves of a clip, pictures at their places."""

import time

from harness import SCREEN_HEIGHT, SCREEN_WIDTH
from picture import near

# Where the position panel stands on a 1024 x 768 screen at 96 DPI: its top is the window's
# height less two panel heights (27 pixels each); it is 243 pixels wide, its left about a button
# and a half left of centre. The scroll bar lies 5 pixels inside it, 233 x 17.
PANEL_TOP = SCREEN_HEIGHT - 2 * 27
PANEL_WIDTH, PANEL_HEIGHT = 243, 27
BUTTON_WIDTH = 20
BAR_INSET, BAR_WIDTH, BAR_HEIGHT = 5, 233, 17


def menu_lines(picture, rect, title, highlight, tolerance=40, gap=12):
    """The menu's text lines inside rect, top to bottom, as (top, bottom, highlighted): rows
    holding the title or highlight colour, grouped where less than gap rows apart (small title
    fonts need a smaller gap)."""
    left, top, right, bottom = rect
    lines = []
    for y in range(top, bottom):
        titles = highlights = 0
        for x in range(left, right, 2):
            colour = picture.pixel(x, y)
            if near(colour, highlight, tolerance):
                highlights += 1
            elif near(colour, title, tolerance):
                titles += 1
        if titles + highlights < 2:
            continue
        if lines and y - lines[-1][1] < gap:
            lines[-1][1] = y
            lines[-1][2] += titles
            lines[-1][3] += highlights
        else:
            lines.append([y, y, titles, highlights])
    return [(t, b, h > c) for t, b, c, h in lines]


def highlighted_lines(picture, rect, title, highlight, count):
    """Indexes of the highlighted lines when the menu shows count lines; None otherwise."""
    lines = menu_lines(picture, rect, title, highlight)
    if len(lines) != count:
        return None
    return [i for i, (_, _, lit) in enumerate(lines) if lit]


def filled(picture, rect, colour, share=0.6, tolerance=48):
    """Whether at least share of the rectangle shows colour."""
    return picture.fraction(rect, lambda c: near(c, colour, tolerance)) >= share


def band_width(picture, start, step, border, ground, limit=200):
    """Walking from start by step (dx, dy), how many pixels lie nearer the border colour than
    the ground colour before the first one nearer the ground."""
    x, y = start
    count = 0
    while count < limit:
        colour = picture.pixel(x, y)
        if _distance(colour, ground) < _distance(colour, border):
            return count
        count += 1
        x, y = x + step[0], y + step[1]
    return count


def _distance(a, b):
    return sum((p - q) ** 2 for p, q in zip(a, b))


def find_picture(screen, part, left, top, slack=4, tolerance=10):
    """Where part is shown near (left, top), and whether it is there: (x, y, found)."""
    x, y, share = screen.find(part, left - slack, top - slack, left + slack, top + slack, tolerance)
    return x, y, share <= 0.02


def centred(part):
    """The top-left corner of part centred on the screen."""
    return (SCREEN_WIDTH - part.width) // 2, (SCREEN_HEIGHT - part.height) // 2


def panel_left(screen, button):
    """The left edge of the position panel, found by the picture of its left button (which
    stands just left of the panel at the panel's top), or None when it is not shown."""
    expected = SCREEN_WIDTH // 2 - PANEL_WIDTH // 2 - 3 * BUTTON_WIDTH // 2
    x, _, found = find_picture(screen, button, expected - BUTTON_WIDTH, PANEL_TOP, slack=6)
    return x + BUTTON_WIDTH if found else None


def bar_thumb(screen, left):
    """The centre of the scroll bar's thumb, the panel's left edge given: the longest run of
    near-white pixels along the bar's middle row, between its arrow buttons."""
    y = PANEL_TOP + BAR_INSET + BAR_HEIGHT // 2
    first = left + BAR_INSET + BAR_HEIGHT
    last = left + BAR_INSET + BAR_WIDTH - BAR_HEIGHT
    best = (0, None)
    run_start = None
    for x in range(first, last + 1):
        bright = min(screen.pixel(x, y)) >= 240
        if bright and run_start is None:
            run_start = x
        if not bright and run_start is not None:
            if x - run_start > best[0]:
                best = (x - run_start, (run_start + x - 1) // 2)
            run_start = None
    if run_start is not None and last + 1 - run_start > best[0]:
        best = (last + 1 - run_start, (run_start + last) // 2)
    length, centre = best
    return (centre, y) if length >= 8 else None


def wait_logo_and_end(s, logo):
    """The closing logo centred on the screen, then the end with status 0 after 3 to 4 s."""
    x0, y0 = centred(logo)
    s.wait_for(
        "the designed closing logo",
        lambda shot: find_picture(shot, logo, x0, y0)[2],
        timeout=5,
        interval=0.05,
    )
    shown = time.monotonic()
    status = s.wait_exit(10)
    seconds = time.monotonic() - shown
    s.check(status == 0, f"exit status {status} after the logo, not 0")
    s.check(2.5 <= seconds <= 5.0, f"the logo stayed {seconds:.1f} s, not 3 to 4 s")
