"""Pictures as RGB pixel arrays: screenshots, picture files, PNG output, colour tests."""

import re
import subprocess


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


def dark(colour, limit=24):
    return max(colour) <= limit
