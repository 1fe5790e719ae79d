#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Draws the program's own hand pointer (HAND-M.CUR) and renders its icon in every size.

The icon is drawn once, as packaging/icons/quillory.svg; this script renders it with
rsvg-convert (Debian package librsvg2-bin) into the program's resource (resources/quillory.png,
256 px, also the 256 px icon that is installed) and the smaller PNGs of the icon theme. The same
librsvg gives the same bytes; the committed PNGs come from librsvg 2.54.7.
Run from anywhere: python3 resources/tools/draw_images.py
"""
import pathlib
import struct
import subprocess

ROOT = pathlib.Path(__file__).resolve().parents[2]
ICON_SVG = ROOT / "packaging" / "icons" / "quillory.svg"
# The theme sizes below 256; the 256 px picture is the program's own resource.
SMALL_ICON_SIZES = (16, 24, 32, 48, 64, 128)

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


def render_icon(size, target):
    subprocess.run(
        ["rsvg-convert", "--width", str(size), "--height", str(size), "--output", str(target),
         str(ICON_SVG)],
        check=True,
    )


if __name__ == "__main__":
    (ROOT / "resources" / "HAND-M.CUR").write_bytes(cur_file(hand_pixels(), HOTSPOT))
    render_icon(256, ROOT / "resources" / "quillory.png")
    for size in SMALL_ICON_SIZES:
        render_icon(size, ROOT / "packaging" / "icons" / f"quillory-{size}.png")
