#!/usr/bin/env python3
"""Checks that a PNG is the Tallimo icon at the given size: square RGBA, the plus centred with
a transparent margin, and the face, shade and outline colours where the artwork puts them.

Usage: check_icon_png.py FILE SIZE
"""
import struct
import sys
import zlib

FACE = (244, 67, 54, 255)
SHADE = (191, 54, 12, 255)
OUTLINE = (55, 71, 79, 255)

# Points in the artwork's 128-unit grid; every edge lies on a multiple of 8 units, so at each
# rendered size these pixels sit wholly inside one area and carry its exact colour.
SAMPLES = [
    ((64, 64), FACE, "centre"),
    ((32, 60), FACE, "left arm"),
    ((64, 20), FACE, "top arm"),
    ((12, 64), OUTLINE, "left outline"),
    ((64, 116), OUTLINE, "bottom outline"),
    ((108, 64), SHADE, "right arm's right edge"),
    ((100, 76), SHADE, "right arm's lower edge"),
    ((64, 108), SHADE, "bottom arm's lower edge"),
    ((76, 96), SHADE, "bottom arm's right edge"),
]


def read_rgba(path):
    with open(path, "rb") as f:
        data = f.read()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise ValueError("not a PNG file")
    pos, header, idat = 8, None, b""
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            idat += body
        pos += 12 + length
    width, height, depth, colour, _, _, interlace = header
    if (depth, colour, interlace) != (8, 6, 0):
        raise ValueError(f"bit depth {depth}, colour type {colour}, interlace {interlace}: "
                         "want 8-bit RGBA, not interlaced")
    raw = zlib.decompress(idat)
    stride = width * 4
    rows, previous = [], bytearray(stride)
    for y in range(height):
        kind = raw[y * (stride + 1)]
        line = bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            left = line[i - 4] if i >= 4 else 0
            up = previous[i]
            upper_left = previous[i - 4] if i >= 4 else 0
            if kind == 1:
                line[i] = (line[i] + left) & 0xFF
            elif kind == 2:
                line[i] = (line[i] + up) & 0xFF
            elif kind == 3:
                line[i] = (line[i] + (left + up) // 2) & 0xFF
            elif kind == 4:
                p = left + up - upper_left
                pa, pb, pc = abs(p - left), abs(p - up), abs(p - upper_left)
                predictor = left if pa <= pb and pa <= pc else up if pb <= pc else upper_left
                line[i] = (line[i] + predictor) & 0xFF
            elif kind != 0:
                raise ValueError(f"unknown filter {kind} in row {y}")
        rows.append(line)
        previous = line
    return width, height, rows


def main():
    path, size = sys.argv[1], int(sys.argv[2])
    try:
        width, height, rows = read_rgba(path)
    except (ValueError, TypeError, zlib.error, struct.error) as e:
        sys.exit(f"{path}: {e}")
    if (width, height) != (size, size):
        sys.exit(f"{path}: {width}x{height}, want {size}x{size}")

    def pixel(x, y):
        return tuple(rows[y][x * 4:x * 4 + 4])

    errors = []
    for (ux, uy), want, where in SAMPLES:
        got = pixel(ux * size // 128, uy * size // 128)
        if got != want:
            errors.append(f"{where}: {got}, want {want}")

    opaque = [(x, y) for y in range(size) for x in range(size) if pixel(x, y)[3]]
    margin = size // 16
    box = (min(x for x, _ in opaque), min(y for _, y in opaque),
           max(x for x, _ in opaque), max(y for _, y in opaque))
    if box != (margin, margin, size - 1 - margin, size - 1 - margin):
        errors.append(f"drawn area {box}, want a centred square with a {margin} px margin")
    # The corners between the arms stay see-through.
    for x, y in [(margin, margin), (size - 1 - margin, margin), (margin, size - 1 - margin),
                 (size - 1 - margin, size - 1 - margin)]:
        if pixel(x, y)[3]:
            errors.append(f"pixel {x},{y} between the arms is not transparent")

    if errors:
        sys.exit("\n".join(f"{path}: {e}" for e in errors))


if __name__ == "__main__":
    main()
