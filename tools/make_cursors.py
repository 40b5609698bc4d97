#!/usr/bin/env python3
"""Writes the program's cursors into resources/: 32x32 monochrome cursors drawn below as text. The hand
(over colour swatches) has its hot spot at the tip of the index finger; the pencil, eraser, fill and picker
cursors of the pixel canvas have theirs where they touch the picture.

usage: make_cursors.py [FOLDER]
"""

import struct
import sys

# '#' black, '.' white, ' ' transparent; up to 32 rows of 32 columns.
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

PENCIL = """
         ##
        #..#
       #...#
      #...#
     #...#
    #...#
   #...#
  #...#
 #.#.#
 ##.#
 ###
 ##
"""

ERASER = """
      ########
     #.......#
    #.......##
   #.......#.#
  #.......#..#
 #.......#..#
##########..#
#........#.#
#........##
##########
"""

FILL = """
    ##
   #..#
   #..###
   #.#..##
   ##....##
   #......##
  #........##
 #..........#
#..........#.#
 #........#..#
  #......#...#
   #....#....#
    #..#     #
     ##      #
"""

PICKER = """
           ###
          #####
          #####
        #######
         ####
        #.##
       #..#
      #..#
     #..#
    #..#
   #..#
  #..#
 #..#
 ##
#
"""

# Name, picture and hot spot of each cursor.
CURSORS = [
    ("hand.cur", HAND, (6, 0)),
    ("pencil.cur", PENCIL, (1, 11)),
    ("eraser.cur", ERASER, (1, 8)),
    ("fill.cur", FILL, (13, 13)),
    ("picker.cur", PICKER, (0, 14)),
]
SIDE = 32


def rows(picture):
    lines = picture.strip("\n").split("\n")
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


def cursor(picture, hot_spot):
    lines = rows(picture)
    # XOR 1 with AND 0 is white; AND 1 with XOR 0 leaves the screen as it is.
    xor = mask(lines, lambda ch: 1 if ch == "." else 0)
    and_ = mask(lines, lambda ch: 1 if ch == " " else 0)
    header = struct.pack("<IiiHHIIiiII", 40, SIDE, SIDE * 2, 1, 1, 0, len(xor) + len(and_), 0, 0, 2, 0)
    colours = struct.pack("<II", 0x000000, 0xFFFFFF)
    image = header + colours + xor + and_
    directory = struct.pack("<HHH", 0, 2, 1)
    entry = struct.pack("<BBBBHHII", SIDE, SIDE, 2, 0, hot_spot[0], hot_spot[1], len(image), 6 + 16)
    return directory + entry + image


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else "resources"
    for name, picture, hot_spot in CURSORS:
        with open(f"{folder}/{name}", "wb") as f:
            f.write(cursor(picture, hot_spot))


if __name__ == "__main__":
    main()
