#!/usr/bin/env python3
"""Writes resources/hand.cur, the pointing-hand cursor shown over colour swatches: a 32x32 monochrome
cursor whose hot spot is the tip of the index finger.

usage: make_hand_cursor.py [OUTPUT]
"""

import struct
import sys

# '#' black, '.' white, ' ' transparent; 32 rows of 32 columns.
PICTURE = """
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
  #..............#
   #.............#
   #............#
    #...........#
    #..........#
     #.........#
     #.........#
      #.......#
      #.......#
      #########
"""

HOT_SPOT = (6, 0)
SIDE = 32


def rows():
    lines = PICTURE.strip("\n").split("\n")
    lines = [line.ljust(SIDE) for line in lines] + [" " * SIDE] * (SIDE - len(lines))
    assert len(lines) == SIDE and all(len(line) == SIDE for line in lines)
    return lines


def mask(lines, bit_of):
    """A 1-bit-per-pixel mask, bottom row first, rows padded to 4 bytes (32 pixels need no padding)."""
    data = bytearray()
    for line in reversed(lines):
        value = 0
        for ch in line:
            value = value << 1 | bit_of(ch)
        data += value.to_bytes(4, "big")
    return bytes(data)


def cursor():
    lines = rows()
    # XOR 1 with AND 0 is white; AND 1 with XOR 0 leaves the screen as it is.
    xor = mask(lines, lambda ch: 1 if ch == "." else 0)
    and_ = mask(lines, lambda ch: 1 if ch == " " else 0)
    header = struct.pack("<IiiHHIIiiII", 40, SIDE, SIDE * 2, 1, 1, 0, len(xor) + len(and_), 0, 0, 2, 0)
    colours = struct.pack("<II", 0x000000, 0xFFFFFF)
    image = header + colours + xor + and_
    directory = struct.pack("<HHH", 0, 2, 1)
    entry = struct.pack("<BBBBHHII", SIDE, SIDE, 2, 0, HOT_SPOT[0], HOT_SPOT[1], len(image), 6 + 16)
    return directory + entry + image


def main():
    output = sys.argv[1] if len(sys.argv) > 1 else "resources/hand.cur"
    with open(output, "wb") as f:
        f.write(cursor())


if __name__ == "__main__":
    main()
