#!/usr/bin/env python3
"""Draws the application icon: make_icon.py OUT.ico

Four squares in a two-by-two grid (orange-red and green above, blue and yellow
below) on a transparent background, at 72x72, 32x32 and 16x16 pixels, each a
16-colour image: 4 bits per pixel with a 16-entry palette and a 1-bit AND mask
that makes the margin and the gap transparent. The output depends on nothing
but this file.
"""
import struct
import sys

SIZES = (72, 32, 16)

# The 16-colour palette, (red, green, blue). Index 0 is what the transparent
# pixels hold under their AND bit; 1 to 4 are the squares; the rest fill the
# palette with the usual 16-colour set.
PALETTE = [
    (0x00, 0x00, 0x00),  # black: under transparent pixels
    (0xFF, 0x45, 0x00),  # orange-red
    (0x00, 0xA0, 0x00),  # green
    (0x00, 0x40, 0xFF),  # blue
    (0xFF, 0xD7, 0x00),  # yellow
    (0x80, 0x00, 0x00),
    (0x80, 0x80, 0x00),
    (0x00, 0x00, 0x80),
    (0x80, 0x00, 0x80),
    (0x00, 0x80, 0x80),
    (0xC0, 0xC0, 0xC0),
    (0x80, 0x80, 0x80),
    (0x00, 0xFF, 0x00),
    (0xFF, 0x00, 0xFF),
    (0x00, 0xFF, 0xFF),
    (0xFF, 0xFF, 0xFF),
]
TRANSPARENT, ORANGE_RED, GREEN, BLUE, YELLOW = 0, 1, 2, 3, 4


def layout(size):
    """Margin, square side and gap for an icon of `size` pixels."""
    margin = max(1, size // 16)
    gap = max(2, size // 18)
    side = (size - 2 * margin - gap) // 2
    gap = size - 2 * margin - 2 * side  # any odd pixel goes to the gap
    return margin, side, gap


def pixels(size):
    """Rows top to bottom of palette indexes."""
    margin, side, gap = layout(size)
    first = range(margin, margin + side)
    second = range(margin + side + gap, margin + 2 * side + gap)

    def colour(x, y):
        if y in first:
            return ORANGE_RED if x in first else GREEN if x in second else TRANSPARENT
        if y in second:
            return BLUE if x in first else YELLOW if x in second else TRANSPARENT
        return TRANSPARENT

    return [[colour(x, y) for x in range(size)] for y in range(size)]


def padded(row_bytes):
    return row_bytes + b"\0" * (-len(row_bytes) % 4)


def image(size):
    """One icon image: BITMAPINFOHEADER, palette, XOR bitmap, AND mask."""
    rows = pixels(size)
    xor = b""
    mask = b""
    for row in reversed(rows):  # bitmaps are stored bottom-up
        xor += padded(bytes((row[x] << 4) | row[x + 1] for x in range(0, size, 2)))
        bits = bytearray((size + 7) // 8)
        for x, index in enumerate(row):
            if index == TRANSPARENT:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += padded(bytes(bits))
    header = struct.pack(
        "<IiiHHIIiiII",
        40,  # biSize
        size,  # biWidth
        2 * size,  # biHeight: XOR bitmap and AND mask together
        1,  # biPlanes
        4,  # biBitCount
        0,  # biCompression: BI_RGB
        len(xor) + len(mask),  # biSizeImage
        0,
        0,
        0,  # biClrUsed: all 16 of the bit count
        0,
    )
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    return header + palette + xor + mask


def icon():
    images = [image(size) for size in SIZES]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in zip(SIZES, images):
        out += struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(data), offset)
        offset += len(data)
    return out + b"".join(images)


def main(argv):
    if len(argv) != 2:
        sys.stderr.write("usage: make_icon.py OUT.ico\n")
        return 2
    with open(argv[1], "wb") as f:
        f.write(icon())
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
