#!/usr/bin/env python3
"""Writes the PNG decoder's seed corpus: tiny images of every colour type and bit depth, with and
without transparency and interlacing, and a few damaged files. Each image is small so that the
fuzzer's mutations stay cheap, and sized oddly so that packed rows end mid-byte and interlaced
passes come out uneven.

    python3 fuzz/make_png_seeds.py fuzz/corpus/png
"""

import os
import struct
import sys
import zlib

SIGNATURE = b"\x89PNG\r\n\x1a\n"

# (colour type, channels, allowed bit depths)
COLOUR_TYPES = {
    "grey": (0, 1, (1, 2, 4, 8, 16)),
    "rgb": (2, 3, (8, 16)),
    "palette": (3, 1, (1, 2, 4, 8)),
    "greyalpha": (4, 2, (8, 16)),
    "rgba": (6, 4, (8, 16)),
}

# Adam7: (first column, first row, column step, row step) of each pass.
ADAM7 = ((0, 0, 8, 8), (4, 0, 8, 8), (0, 4, 4, 8), (2, 0, 4, 4), (0, 2, 2, 4), (1, 0, 2, 2),
         (0, 1, 1, 2))


def chunk(kind, data=b""):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))


def sample(x, y, channel, levels):
    """A pattern that varies along both axes and between channels, below `levels`."""
    return (x * 3 + y * 5 + channel * 7) % levels


def pack_row(samples, depth):
    if depth == 16:
        return b"".join(struct.pack(">H", s) for s in samples)
    if depth == 8:
        return bytes(samples)
    per_byte = 8 // depth
    out = bytearray()
    for start in range(0, len(samples), per_byte):
        byte = 0
        group = samples[start:start + per_byte]
        for i, s in enumerate(group):
            byte |= s << (8 - depth * (i + 1))
        out.append(byte)
    return bytes(out)


def scanlines(width, height, channels, depth, levels, columns=None, rows=None):
    """Scanlines with their filter bytes. Rows alternate between the None and Up filters, so that
    the decoder takes both paths and still comes back to the pattern."""
    columns = list(range(width)) if columns is None else columns
    rows = list(range(height)) if rows is None else rows
    out = bytearray()
    previous = None
    for index, y in enumerate(rows):
        samples = [sample(x, y, c, levels) for x in columns for c in range(channels)]
        row = pack_row(samples, depth)
        if index % 2 == 1:
            out.append(2)
            out += bytes((byte - above) & 0xFF for byte, above in zip(row, previous))
        else:
            out.append(0)
            out += row
        previous = row
    return bytes(out)


def image_data(width, height, channels, depth, levels, interlaced):
    if not interlaced:
        return scanlines(width, height, channels, depth, levels)
    out = bytearray()
    for x0, y0, dx, dy in ADAM7:
        columns = list(range(x0, width, dx))
        rows = list(range(y0, height, dy))
        if columns and rows:
            out += scanlines(width, height, channels, depth, levels, columns, rows)
    return bytes(out)


def png(width, height, colour, depth, interlaced=False, transparency=False, extra=()):
    colour_type, channels, _ = COLOUR_TYPES[colour]
    out = SIGNATURE + chunk(
        b"IHDR", struct.pack(">IIBBBBB", width, height, depth, colour_type, 0, 0,
                             1 if interlaced else 0))
    for kind, data in extra:
        out += chunk(kind, data)
    # Palette indices stay inside a palette of at most 16 entries.
    levels = 1 << depth
    if colour == "palette":
        entries = levels = min(levels, 16)
        palette = (bytes((i * 40 % 256, i * 90 % 256, i * 17 % 256)) for i in range(entries))
        out += chunk(b"PLTE", b"".join(palette))
    if transparency:
        if colour == "palette":
            out += chunk(b"tRNS", bytes((0, 128, 255)))
        elif colour == "grey":
            out += chunk(b"tRNS", struct.pack(">H", 1))
        elif colour == "rgb":
            out += chunk(b"tRNS", struct.pack(">HHH", 7, 12, 17))
    data = zlib.compress(image_data(width, height, channels, depth, levels, interlaced), 9)
    # Two IDAT chunks, so that the reader has to stitch the stream together.
    half = len(data) // 2
    out += chunk(b"IDAT", data[:half]) + chunk(b"IDAT", data[half:]) + chunk(b"IEND")
    return out


def seeds():
    for colour, (_, _, depths) in COLOUR_TYPES.items():
        for depth in depths:
            yield f"{colour}-{depth}.png", png(5, 3, colour, depth)
    yield "palette-4-trns.png", png(5, 3, "palette", 4, transparency=True)
    yield "grey-8-trns.png", png(5, 3, "grey", 8, transparency=True)
    yield "rgb-16-trns.png", png(5, 3, "rgb", 16, transparency=True)
    yield "grey-2-interlaced.png", png(9, 7, "grey", 2, interlaced=True)
    yield "palette-8-interlaced.png", png(9, 7, "palette", 8, interlaced=True)
    yield "rgba-8-interlaced.png", png(9, 7, "rgba", 8, interlaced=True)
    yield "rgba-16-interlaced.png", png(3, 2, "rgba", 16, interlaced=True)
    yield "rgb-8-ancillary.png", png(4, 4, "rgb", 8, extra=(
        (b"gAMA", struct.pack(">I", 45455)), (b"sRGB", b"\x00"),
        (b"tEXt", b"Comment\x00made for the fuzzer"),
        (b"zTXt", b"Note\x00\x00" + zlib.compress(b"compressed text")),
        (b"pHYs", struct.pack(">IIB", 2835, 2835, 1))))

    # As wide and as tall as the fuzzer lets the decoder go, and one pixel past that.
    yield "rgba-8-widest.png", png(2048, 1, "rgba", 8)
    yield "grey-1-tallest.png", png(1, 2048, "grey", 1)
    yield "broken-too-wide.png", png(2049, 1, "grey", 8)

    good = png(5, 3, "rgba", 8)
    yield "broken-truncated.png", good[:len(good) - 20]
    yield "broken-crc.png", good[:29] + bytes([good[29] ^ 0xFF]) + good[30:]
    yield "broken-signature-only.png", SIGNATURE
    ihdr_end = len(SIGNATURE) + 25
    yield "broken-no-idat.png", good[:ihdr_end] + chunk(b"IEND")
    yield "broken-short-data.png", (
        good[:ihdr_end] + chunk(b"IDAT", zlib.compress(b"\x00\x01\x02")) + chunk(b"IEND"))
    yield "broken-huge.png", (SIGNATURE + chunk(
        b"IHDR", struct.pack(">IIBBBBB", 100000, 100000, 8, 6, 0, 0, 0)) + chunk(b"IEND"))
    yield "broken-palette-missing.png", png(5, 3, "rgb", 8).replace(
        chunk(b"IHDR", struct.pack(">IIBBBBB", 5, 3, 8, 2, 0, 0, 0)),
        chunk(b"IHDR", struct.pack(">IIBBBBB", 5, 3, 8, 3, 0, 0, 0)))
    yield "broken-bad-depth.png", png(5, 3, "rgb", 8).replace(
        chunk(b"IHDR", struct.pack(">IIBBBBB", 5, 3, 8, 2, 0, 0, 0)),
        chunk(b"IHDR", struct.pack(">IIBBBBB", 5, 3, 4, 2, 0, 0, 0)))


def main():
    directory = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        os.path.dirname(__file__), "corpus", "png")
    os.makedirs(directory, exist_ok=True)
    for name, data in seeds():
        with open(os.path.join(directory, name), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()
