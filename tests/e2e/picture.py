"""Pictures as RGB pixel arrays (screenshots, picture files, PNG output) and what the tests read
off a screenshot of the presenter: a picture running or standing still, menu lines and the
highlight, a clip's ground colour, the border band the window leaves of a clip, pictures at their
places."""

import re
import subprocess
import time

from media import BORDER, CLIP_BORDER, CLIP_HEIGHT, CLIP_WIDTH

SCREEN_WIDTH, SCREEN_HEIGHT = 1024, 768


class Picture:
    """An RGB picture, 8 bits a channel, rows top to bottom."""

    def __init__(self, width, height, rgb, label=""):
        if len(rgb) < width * height * 3:
            raise ValueError(f"{len(rgb)} bytes are too few for {width}x{height} RGB")
        self.width, self.height, self.rgb, self.label = width, height, rgb, label

    @staticmethod
    def from_ppm(data, label=""):
        """A binary PPM (P6, maxval 255), as ImageMagick and grim write it."""
        header = re.match(rb"P6\s+(\d+)\s+(\d+)\s+255\s", data)
        if not header:
            raise ValueError(f"not an 8-bit binary PPM: {data[:20]!r}")
        width, height = int(header[1]), int(header[2])
        return Picture(width, height, data[header.end() : header.end() + width * height * 3], label)

    @staticmethod
    def from_file(path, *convert):
        """Any picture ImageMagick reads, after the given convert options (as "-resize",
        "1024x768!" stretches it as the presenter stretches its background picture)."""
        out = subprocess.run(["convert", str(path), *convert, "-depth", "8", "ppm:-"],
                             capture_output=True, check=True, timeout=30).stdout
        return Picture.from_ppm(out, str(path))

    def pixel(self, x, y):
        at = (y * self.width + x) * 3
        return self.rgb[at], self.rgb[at + 1], self.rgb[at + 2]

    def points(self, left, top, right, bottom, step=8):
        """Sample points of a rectangle (right and bottom exclusive), every step pixels."""
        for y in range(max(top, 0), min(bottom, self.height), step):
            for x in range(max(left, 0), min(right, self.width), step):
                yield x, y

    def fraction(self, rect, test, step=8):
        """The share of the rectangle's sample points whose colour passes test."""
        hits = [bool(test(self.pixel(x, y))) for x, y in self.points(*rect, step=step)]
        return sum(hits) / len(hits) if hits else 0.0

    def differing(self, other, rect, threshold=60, step=2):
        """How many sample points of the rectangle differ between two pictures of one size by
        more than threshold in some channel."""
        return sum(not near(self.pixel(x, y), other.pixel(x, y), threshold)
                   for x, y in self.points(*rect, step=step))

    def mismatch(self, part, x0, y0, tolerance=8, step=3, limit=1.0):
        """The share of part's pixels (sampled every step) that differ by more than tolerance
        from this picture with part's top-left corner at (x0, y0); 1.0 once above limit."""
        if x0 < 0 or y0 < 0 or x0 + part.width > self.width or y0 + part.height > self.height:
            return 1.0
        points = list(part.points(0, 0, part.width, part.height, step))
        wrong = 0
        for x, y in points:
            wrong += not near(self.pixel(x0 + x, y0 + y), part.pixel(x, y), tolerance)
            if wrong > limit * len(points):
                return 1.0
        return wrong / len(points)

    def png(self):
        """The picture as a PNG file's bytes."""
        ppm = b"P6 %d %d 255\n" % (self.width, self.height) + self.rgb
        return subprocess.run(["convert", "ppm:-", "png:-"], input=ppm, capture_output=True,
                              check=True, timeout=30).stdout


def near(colour, target, tolerance=48):
    """Whether a colour lies within tolerance of target in every channel."""
    return all(abs(c - t) <= tolerance for c, t in zip(colour, target))


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
