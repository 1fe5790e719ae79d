#!/usr/bin/env python3
"""Draws the program's own hand pointer (HAND-M.CUR) and icon (quillory.png).

Run from this folder; writes into the folder above. Pure Python, no image library needed.
"""
import struct
import zlib

# A pointing hand, 32 x 32; '#' outline, '.' fill, ' ' transparent. Hotspot on the fingertip.
HAND = """
      ##
     #..#
     #..#
     #..#
     #..#
     #..###
     #..#..###
     #..#..#..##
  ## #..#..#..#.#
 #..##........#..#
 #...#...........#
  #..#...........#
   #.............#
   #.............#
    #...........#
    #...........#
     #.........#
     #.........#
      #.......#
      #.......#
      #########
"""
HOTSPOT = (7, 1)


def hand_pixels():
    rows = HAND.strip("\n").split("\n")
    pixels = [[(0, 0, 0, 0)] * 32 for _ in range(32)]
    for y, row in enumerate(rows):
        for x, ch in enumerate(row):
            if ch == "#":
                pixels[y][x] = (0, 0, 0, 255)
            elif ch == ".":
                pixels[y][x] = (255, 255, 255, 255)
    return pixels


def cur_file(pixels, hotspot):
    size = len(pixels)
    # 32-bit BGRA DIB, bottom-up, with an AND mask (all zero: alpha decides).
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    xor = b"".join(
        struct.pack("BBBB", b, g, r, a) for row in reversed(pixels) for (r, g, b, a) in row
    )
    mask_row = ((size + 31) // 32) * 4
    and_mask = b"\0" * (mask_row * size)
    image = header + xor + and_mask
    directory = struct.pack("<HHH", 0, 2, 1)
    entry = struct.pack("<BBBBHHII", size, size, 0, 0, hotspot[0], hotspot[1], len(image), 6 + 16)
    return directory + entry + image


def png_file(pixels):
    height, width = len(pixels), len(pixels[0])
    raw = b"".join(b"\0" + b"".join(struct.pack("BBBB", *p) for p in row) for row in pixels)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    ihdr = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", ihdr) + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b"")


def coverage(inside, x, y, samples=4):
    hits = 0
    for i in range(samples):
        for j in range(samples):
            if inside(x + (i + 0.5) / samples, y + (j + 0.5) / samples):
                hits += 1
    return hits / (samples * samples)


def icon_pixels(size=256):
    s = size / 256.0

    def rounded(x0, y0, x1, y1, r):
        def inside(x, y):
            if not (x0 <= x <= x1 and y0 <= y <= y1):
                return False
            cx = min(max(x, x0 + r), x1 - r)
            cy = min(max(y, y0 + r), y1 - r)
            return (x - cx) ** 2 + (y - cy) ** 2 <= r * r
        return inside

    def quill(x, y):
        # A slanted feather: a thick segment with a pointed nib at the lower left.
        ax, ay, bx, by = 70 * s, 200 * s, 205 * s, 45 * s
        dx, dy = bx - ax, by - ay
        t = ((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy)
        if t < 0 or t > 1:
            return False
        px, py = ax + t * dx, ay + t * dy
        width = 26 * s * min(1.0, t * 3.0) * (1.0 - 0.35 * t)
        return (x - px) ** 2 + (y - py) ** 2 <= width * width

    layers = [
        (rounded(8 * s, 8 * s, 248 * s, 248 * s, 44 * s), (47, 84, 150)),
        (rounded(52 * s, 40 * s, 204 * s, 220 * s, 10 * s), (250, 250, 246)),
    ]
    lines = [rounded(76 * s, (86 + 30 * k) * s, 180 * s, (94 + 30 * k) * s, 3 * s) for k in range(4)]
    layers += [(line, (170, 190, 220)) for line in lines]
    layers.append((quill, (224, 148, 40)))
    pixels = []
    for y in range(size):
        row = []
        for x in range(size):
            color = (0, 0, 0, 0)
            for inside, rgb in layers:
                c = coverage(inside, x, y)
                if c > 0:
                    r0, g0, b0, a0 = color
                    a = c + (a0 / 255) * (1 - c)
                    mix = lambda new, old: round((new * c + old * (a0 / 255) * (1 - c)) / a) if a else 0
                    color = (mix(rgb[0], r0), mix(rgb[1], g0), mix(rgb[2], b0), round(a * 255))
            row.append(color)
        pixels.append(row)
    return pixels


if __name__ == "__main__":
    with open("../HAND-M.CUR", "wb") as f:
        f.write(cur_file(hand_pixels(), HOTSPOT))
    with open("../quillory.png", "wb") as f:
        f.write(png_file(icon_pixels()))
