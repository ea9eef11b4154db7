"""Pictures as RGB pixel arrays and what the tests read off a screenshot of the presenter: a
picture running or still, the lit menu line, a clip's ground, its border band, the logo."""

import re
import subprocess
import time

from media import BORDER, CLIP_BORDER, CLIP_HEIGHT, CLIP_WIDTH

SCREEN_WIDTH, SCREEN_HEIGHT = 1024, 768
FULL_SCREEN = (0, 0, SCREEN_WIDTH, SCREEN_HEIGHT)


class Picture:
    """An RGB picture, 8 bits a channel, rows top to bottom, read from a binary PPM."""

    def __init__(self, ppm):
        header = re.match(rb"P6\s+(\d+)\s+(\d+)\s+255\s", ppm)
        self.width, self.height = int(header[1]), int(header[2])
        self.rgb = ppm[header.end() :]

    @staticmethod
    def from_file(path, *convert):
        """Any picture ImageMagick reads, after the convert options given."""
        return Picture(subprocess.run(["convert", str(path), *convert, "-depth", "8", "ppm:-"],
                                      capture_output=True, check=True, timeout=30).stdout)

    def pixel(self, x, y):
        at = (y * self.width + x) * 3
        return self.rgb[at], self.rgb[at + 1], self.rgb[at + 2]

    def points(self, left, top, right, bottom, step=8):
        """Sample points of a rectangle (right and bottom exclusive), every step pixels."""
        return [(x, y) for y in range(max(top, 0), min(bottom, self.height), step)
                for x in range(max(left, 0), min(right, self.width), step)]

    def differing(self, other, rect, threshold=60, step=2):
        """How many sample points of rect differ between the pictures by more than threshold."""
        return sum(not near(self.pixel(*p), other.pixel(*p), threshold)
                   for p in self.points(*rect, step))

    def shows(self, part, x0, y0, tolerance, share):
        """Whether at most share of part's points differ by more than tolerance, part at x0, y0."""
        if x0 < 0 or y0 < 0 or x0 + part.width > self.width or y0 + part.height > self.height:
            return False
        points, wrong = part.points(0, 0, part.width, part.height, 3), 0
        for x, y in points:
            wrong += not near(self.pixel(x0 + x, y0 + y), part.pixel(x, y), tolerance)
            if wrong > share * len(points):
                return False
        return True

    def ppm(self):
        return b"P6 %d %d 255\n" % (self.width, self.height) + self.rgb


def near(colour, target, tolerance=48):
    return all(abs(c - t) <= tolerance for c, t in zip(colour, target))


def filled(picture, rect, colour, share=0.6):
    """Whether at least share of rect shows colour."""
    points = picture.points(*rect)
    return sum(near(picture.pixel(*p), colour) for p in points) >= share * len(points) > 0


def lit_lines(picture, rect, title, highlight, count):
    """Indexes of the lit lines when rect shows count menu lines (rows holding the title or
    highlight colour, less than 12 rows apart within a line); None otherwise."""
    left, top, right, bottom = rect
    lines = []  # [last row, plain pixels, lit pixels]
    for y in range(top, bottom):
        colours = [picture.pixel(x, y) for x in range(left, right, 2)]
        lit = sum(near(c, highlight, 40) for c in colours)
        plain = sum(near(c, title, 40) and not near(c, highlight, 40) for c in colours)
        if lit + plain >= 2 and lines and y - lines[-1][0] < 12:
            lines[-1] = [y, lines[-1][1] + plain, lines[-1][2] + lit]
        elif lit + plain >= 2:
            lines.append([y, plain, lit])
    return [i for i, line in enumerate(lines) if line[2] > line[1]] if len(lines) == count else None


def changes(rect, still=False, limit=30):
    """A test that holds once two shots in a row differ in more than limit points of rect, or,
    still, in fewer."""
    previous = []

    def test(shot):
        differ = shot.differing(previous[-1], rect, step=4) if previous else None
        previous[:] = [shot]
        return differ is not None and (differ < limit if still else differ > limit)

    return test


def check_bands(s, shot, ground, overscan=0):
    """What is left of the clip's border band on each edge, the clip being drawn overscan pixels
    larger than the window on every side."""
    wide = CLIP_BORDER * (SCREEN_WIDTH + 2 * overscan) / CLIP_WIDTH - overscan
    high = CLIP_BORDER * (SCREEN_HEIGHT + 2 * overscan) / CLIP_HEIGHT - overscan
    distance = lambda a, b: sum((p - q) ** 2 for p, q in zip(a, b))
    for edge, (x, y), step, expected in (
        ("left", (0, 200), (1, 0), wide), ("right", (SCREEN_WIDTH - 1, 200), (-1, 0), wide),
        ("top", (200, 0), (0, 1), high), ("bottom", (200, SCREEN_HEIGHT - 1), (0, -1), high),
    ):
        seen = 0  # pixels nearer the border colour than the ground, walking inwards
        while seen < 200 and distance(shot.pixel(x, y), ground) >= distance(shot.pixel(x, y),
                                                                            BORDER):
            seen, x, y = seen + 1, x + step[0], y + step[1]
        s.check(abs(seen - expected) <= 4, f"{edge} edge: {seen} pixels of the clip's border "
                f"band show, not {expected:.1f} with an overscan of {overscan}")


def logo_shown(shot, logo, slack=4):
    """Whether the logo stands centred on the screen, give or take slack pixels."""
    left, top = (SCREEN_WIDTH - logo.width) // 2, (SCREEN_HEIGHT - logo.height) // 2
    return any(shot.shows(logo, x, y, 10, 0.02) for y in range(top - slack, top + slack + 1)
               for x in range(left - slack, left + slack + 1))


def wait_logo_and_end(s, logo, expected=0):
    """The closing logo, then the end with status expected after 3 to 4 s: at most since the last
    shot without it, at least since the first with it (shots are slow on a busy machine)."""
    before = [time.monotonic()]

    def shown(shot):
        found = logo_shown(shot, logo)
        before[0] = before[0] if found else time.monotonic()
        return found

    s.wait_for("the closing logo", shown, timeout=5, interval=0.05)
    first = time.monotonic()
    status = s.wait_exit(10)
    most, least = time.monotonic() - before[0], time.monotonic() - first
    s.check(status == expected, f"exit status {status} after the logo, not {expected}")
    s.check(most >= 2.5 and least <= 5.0, f"the logo stayed {least:.1f} to {most:.1f} s, "
            "not 3 to 4 s")
