"""PNG files for the command-line tests: flat pictures to hand in, and the pixels of the screenshots
that come back (8-bit RGB or RGBA, not interlaced)."""
import struct
import zlib


def solid_png(width, height, rgb):
    """A PNG file of one flat colour."""
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
    rows = b"".join(b"\x00" + bytes(rgb) * width for _ in range(height))
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(rows)) + chunk(b"IEND", b""))


def _paeth(a, b, c):
    p = a + b - c
    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
    return a if pa <= pb and pa <= pc else b if pb <= pc else c


class Png:
    def __init__(self, path):
        with open(path, "rb") as f:
            data = f.read()
        assert data[:8] == b"\x89PNG\r\n\x1a\n", "not a PNG file"
        pos, idat = 8, b""
        while pos < len(data):
            length, kind = struct.unpack(">I4s", data[pos:pos + 8])
            body = data[pos + 8:pos + 8 + length]
            if kind == b"IHDR":
                self.width, self.height, depth, colour, _, _, interlace = struct.unpack(">IIBBBBB", body)
                assert depth == 8 and colour in (2, 6) and interlace == 0, "unsupported PNG"
                self.channels = 4 if colour == 6 else 3
            elif kind == b"IDAT":
                idat += body
            pos += 12 + length
        raw = zlib.decompress(idat)
        stride = self.width * self.channels
        self.rows, previous = [], bytearray(stride)
        for y in range(self.height):
            start = y * (stride + 1)
            kind, line = raw[start], bytearray(raw[start + 1:start + 1 + stride])
            for i in range(stride):
                left = line[i - self.channels] if i >= self.channels else 0
                up = previous[i]
                corner = previous[i - self.channels] if i >= self.channels else 0
                line[i] = (line[i] + (0, left, up, (left + up) // 2, _paeth(left, up, corner))[kind]) & 0xFF
            self.rows.append(line)
            previous = line

    def pixel(self, x, y):
        """(red, green, blue) at pixel (x, y)."""
        i = x * self.channels
        return tuple(self.rows[y][i:i + 3])
