"""What the tests read off a screenshot of the presenter: menu lines and the highlight, a clip's
ground colour, the border band the window leaves of a clip, pictures at their places, pictures
running or standing still."""

import time

from harness import SCREEN_HEIGHT, SCREEN_WIDTH
from media import BORDER, CLIP_BORDER, CLIP_HEIGHT, CLIP_WIDTH
from picture import near


def menu_lines(picture, rect, title, highlight, tolerance=40, gap=12):
    """The menu's text lines inside rect, top to bottom, as (top, bottom, highlighted): rows
    holding the title or highlight colour, grouped where less than gap rows apart."""
    left, top, right, bottom = rect
    lines = []
    for y in range(top, bottom):
        colours = [picture.pixel(x, y) for x in range(left, right, 2)]
        lit = sum(near(c, highlight, tolerance) for c in colours)
        plain = sum(near(c, title, tolerance) and not near(c, highlight, tolerance) for c in colours)
        if lit + plain < 2:
            continue
        if lines and y - lines[-1][1] < gap:
            lines[-1][1:] = [y, lines[-1][2] + plain, lines[-1][3] + lit]
        else:
            lines.append([y, y, plain, lit])
    return [(t, b, lit > plain) for t, b, plain, lit in lines]


def highlighted_lines(picture, rect, title, highlight, count, gap=12):
    """Indexes of the highlighted lines when the menu shows count lines; None otherwise."""
    lines = menu_lines(picture, rect, title, highlight, gap=gap)
    return [i for i, (_, _, lit) in enumerate(lines) if lit] if len(lines) == count else None


def changes(rect, still=False, limit=30):
    """A screen test that holds once two screenshots in a row differ in more than limit sample
    points of rect (the picture runs), or, still, in fewer (it stands still)."""
    previous = []

    def test(shot):
        differ = shot.differing(previous[-1], rect, step=4) if previous else None
        previous[:] = [shot]
        return differ is not None and (differ < limit if still else differ > limit)

    return test


def filled(picture, rect, colour, share=0.6, tolerance=48):
    """Whether at least share of the rectangle shows colour."""
    return picture.fraction(rect, lambda c: near(c, colour, tolerance)) >= share


def check_bands(s, shot, ground, overscan=0):
    """The clip's picture is drawn overscan pixels larger than the window on every side, so that
    much of its border band is cut off: what is left of the band on each edge."""
    wide = CLIP_BORDER * (SCREEN_WIDTH + 2 * overscan) / CLIP_WIDTH - overscan
    high = CLIP_BORDER * (SCREEN_HEIGHT + 2 * overscan) / CLIP_HEIGHT - overscan
    for edge, (x, y), step, expected in (
        ("left", (0, 200), (1, 0), wide), ("right", (SCREEN_WIDTH - 1, 200), (-1, 0), wide),
        ("top", (200, 0), (0, 1), high), ("bottom", (200, SCREEN_HEIGHT - 1), (0, -1), high),
    ):
        seen = 0  # pixels nearer the border colour than the ground, walking inwards
        while seen < 200 and _distance(shot.pixel(x, y), ground) >= _distance(
                shot.pixel(x, y), BORDER):
            seen, x, y = seen + 1, x + step[0], y + step[1]
        s.check(abs(seen - expected) <= 4, f"{edge} edge: {seen} pixels of the clip's border "
                f"band show, not {expected:.1f} with an overscan of {overscan}")


def _distance(a, b):
    return sum((p - q) ** 2 for p, q in zip(a, b))


def find_picture(screen, part, left, top, slack=4, tolerance=10):
    """Where part is shown within slack pixels of (left, top); None when it is not there."""
    places = [(x, y) for y in range(top - slack, top + slack + 1)
              for x in range(left - slack, left + slack + 1)]
    places.sort(key=lambda p: abs(p[0] - left) + abs(p[1] - top))
    return next((p for p in places if screen.mismatch(part, *p, tolerance, limit=0.02) <= 0.02),
                None)


def centred(part):
    """The top-left corner of part centred on the screen."""
    return (SCREEN_WIDTH - part.width) // 2, (SCREEN_HEIGHT - part.height) // 2


def wait_logo_and_end(s, logo):
    """The closing logo centred on the screen, then the end with status 0 after 3 to 4 s."""
    s.wait_for("the closing logo", lambda shot: find_picture(shot, logo, *centred(logo)),
               timeout=5, interval=0.05)
    shown = time.monotonic()
    status = s.wait_exit(10)
    seconds = time.monotonic() - shown
    s.check(status == 0, f"exit status {status} after the logo, not 0")
    s.check(2.5 <= seconds <= 5.0, f"the logo stayed {seconds:.1f} s, not 3 to 4 s")
