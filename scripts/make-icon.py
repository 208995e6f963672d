#!/usr/bin/env python3
"""Draws the program icon: a house on a light cyan square, at 32x32 and 48x48,
256 colours, with an all-opaque mask. Writes app/zemrana.ico."""
import struct
import sys

PALETTE = [
    # red, green, blue
    (0xC0, 0xFF, 0xFF),  # 0 background: light cyan, the window's colour
    (0x00, 0x00, 0x80),  # 1 border and sill: dark blue
    (0xFF, 0xE0, 0xC0),  # 2 walls: light orange
    (0xC0, 0x40, 0x20),  # 3 roof: brick red
    (0x00, 0x80, 0x40),  # 4 door: dark green
    (0xC0, 0xC0, 0xFF),  # 5 window panes: light blue
]


def draw(size):
    s = size / 32.0
    px = [[0] * size for _ in range(size)]

    def rect(x0, y0, x1, y1, colour):
        for y in range(int(y0 * s), int(y1 * s)):
            for x in range(int(x0 * s), int(x1 * s)):
                px[y][x] = colour

    rect(0, 0, 32, 1, 1); rect(0, 31, 32, 32, 1); rect(0, 0, 1, 32, 1); rect(31, 0, 32, 32, 1)
    for y in range(int(4 * s), int(15 * s)):  # roof: a triangle from the apex down
        half = (y - 4 * s) * 1.25 + 1
        for x in range(size):
            if abs(x + 0.5 - 16 * s) <= half and 3 * s <= x < 29 * s:
                px[y][x] = 3
    rect(6, 15, 26, 28, 2)
    rect(6, 27, 26, 28, 1)
    rect(14, 19, 19, 27, 4)
    rect(8, 18, 12, 22, 5)
    rect(21, 18, 25, 22, 5)
    return px


def image(size):
    px = draw(size)
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 8, 0, 0, 0, 0, 256, 0)
    palette = b''.join(struct.pack('<BBBB', c[2], c[1], c[0], 0) for c in PALETTE)
    palette += b'\0' * (4 * (256 - len(PALETTE)))
    xor = b''.join(bytes(row) for row in reversed(px))  # bottom-up; rows of 32 or 48 bytes are aligned
    mask_row = ((size + 31) // 32) * 4
    mask = b'\0' * (mask_row * size)  # all opaque
    return header + palette + xor + mask


def main(path):
    images = [image(32), image(48)]
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in zip((32, 48), images):
        out += struct.pack('<BBBBHHII', size, size, 0, 0, 1, 8, len(data), offset)
        offset += len(data)
    with open(path, 'wb') as f:
        f.write(out + b''.join(images))


if __name__ == '__main__':
    main(sys.argv[1] if len(sys.argv) > 1 else 'app/zemrana.ico')
