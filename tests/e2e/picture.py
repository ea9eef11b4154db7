"""Pictures as RGB pixel arrays: screenshots, BMP files, PNG output, colour tests."""

import struct
import subprocess
import zlib


class Picture:
    """An RGB picture, 8 bits a channel, rows top to bottom."""

    def __init__(self, width, height, rgb, label=""):
        if len(rgb) < width * height * 3:
            raise ValueError(f"{len(rgb)} bytes are too few for {width}x{height} RGB")
        self.width = width
        self.height = height
        self.rgb = rgb
        self.label = label

    @staticmethod
    def from_ppm(data, label=""):
        """A binary PPM (P6, maxval 255), as ImageMagick writes it."""
        fields = []
        at = 0
        while len(fields) < 4:
            while data[at : at + 1].isspace():
                at += 1
            if data[at : at + 1] == b"#":
                at = data.index(b"\n", at) + 1
                continue
            end = at
            while not data[end : end + 1].isspace():
                end += 1
            fields.append(data[at:end])
            at = end
        if fields[0] != b"P6" or fields[3] != b"255":
            raise ValueError(f"not an 8-bit binary PPM: {fields}")
        width, height = int(fields[1]), int(fields[2])
        return Picture(width, height, data[at + 1 : at + 1 + width * height * 3], label)

    @staticmethod
    def from_bmp(path):
        """An uncompressed 24-bit BMP, as the presenter's pictures are."""
        with open(path, "rb") as f:
            data = f.read()
        if data[:2] != b"BM":
            raise ValueError(f"{path} is not a BMP")
        offset = struct.unpack_from("<I", data, 10)[0]
        width, height, _, bits, compression = struct.unpack_from("<iiHHI", data, 18)
        if bits != 24 or compression != 0:
            raise ValueError(f"{path}: only uncompressed 24-bit BMPs are read here")
        bottom_up = height > 0
        height = abs(height)
        stride = (width * 3 + 3) & ~3
        rgb = bytearray(width * height * 3)
        for row in range(height):
            source = offset + (height - 1 - row if bottom_up else row) * stride
            line = data[source : source + width * 3]
            target = row * width * 3
            rgb[target : target + width * 3] = line
            # BGR to RGB
            rgb[target : target + width * 3 : 3] = line[2::3]
            rgb[target + 2 : target + width * 3 : 3] = line[0::3]
        return Picture(width, height, bytes(rgb), path)

    @staticmethod
    def from_file(path, width=None, height=None):
        """Any picture ImageMagick reads, optionally stretched to a size (as the presenter
        stretches its background picture)."""
        command = ["convert", str(path)]
        if width and height:
            command += ["-resize", f"{width}x{height}!"]
        command += ["-depth", "8", "ppm:-"]
        out = subprocess.run(command, capture_output=True, check=True, timeout=30).stdout
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
        total = hits = 0
        for x, y in self.points(*rect, step=step):
            total += 1
            hits += bool(test(self.pixel(x, y)))
        return hits / total if total else 0.0

    def differing(self, other, rect, threshold=60, step=2):
        """How many sample points of the rectangle differ between two pictures of one size by
        more than threshold in some channel."""
        count = 0
        for x, y in self.points(*rect, step=step):
            a, b = self.pixel(x, y), other.pixel(x, y)
            if max(abs(a[0] - b[0]), abs(a[1] - b[1]), abs(a[2] - b[2])) > threshold:
                count += 1
        return count

    def find(self, part, left, top, right, bottom, tolerance=8):
        """Where part lies in this picture, its top-left corner searched over the rectangle
        from the middle outwards; the position whose pixels differ least, with the share of
        part's pixels that differ by more than tolerance there."""
        middle = ((left + right) / 2, (top + bottom) / 2)
        places = sorted(
            ((x, y) for y in range(top, bottom + 1) for x in range(left, right + 1)),
            key=lambda p: (p[0] - middle[0]) ** 2 + (p[1] - middle[1]) ** 2,
        )
        best = None
        for x, y in places:
            share = self.mismatch(part, x, y, tolerance, limit=best[2] if best else 1.0)
            if best is None or share < best[2]:
                best = (x, y, share)
                if share == 0:
                    break
        return best

    def mismatch(self, part, x0, y0, tolerance=8, limit=1.0, step=3):
        """The share of part's pixels (sampled every step) that differ by more than tolerance
        from this picture with part's top-left corner at (x0, y0)."""
        if x0 < 0 or y0 < 0 or x0 + part.width > self.width or y0 + part.height > self.height:
            return 1.0
        total = (part.height + step - 1) // step * ((part.width + step - 1) // step)
        allowed = limit * total
        wrong = 0
        for y in range(0, part.height, step):
            for x in range(0, part.width, step):
                a, b = self.pixel(x0 + x, y0 + y), part.pixel(x, y)
                if max(abs(a[0] - b[0]), abs(a[1] - b[1]), abs(a[2] - b[2])) > tolerance:
                    wrong += 1
                    if wrong > allowed:
                        return 1.0
        return wrong / total

    def crop(self, left, top, width, height):
        rows = []
        for y in range(top, top + height):
            at = (y * self.width + left) * 3
            rows.append(self.rgb[at : at + width * 3])
        return Picture(width, height, b"".join(rows), self.label)

    def png(self):
        """The picture as a PNG file's bytes."""
        raw = bytearray()
        stride = self.width * 3
        for y in range(self.height):
            raw.append(0)
            raw += self.rgb[y * stride : (y + 1) * stride]

        def chunk(kind, body):
            return (
                struct.pack(">I", len(body))
                + kind
                + body
                + struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF)
            )

        header = struct.pack(">IIBBBBB", self.width, self.height, 8, 2, 0, 0, 0)
        return (
            b"\x89PNG\r\n\x1a\n"
            + chunk(b"IHDR", header)
            + chunk(b"IDAT", zlib.compress(bytes(raw), 6))
            + chunk(b"IEND", b"")
        )


def near(colour, target, tolerance=48):
    """Whether a colour lies within tolerance of target in every channel."""
    return all(abs(c - t) <= tolerance for c, t in zip(colour, target))


def dark(colour, limit=24):
    return max(colour) <= limit
