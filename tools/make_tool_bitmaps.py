#!/usr/bin/env python3
"""Writes the tool button pictures of the room mark editor into resources/: 20x20 16-colour bitmaps drawn
below as text, in the order of the tool buttons (pencil, line, eraser, fill, rectangle, circle, colour
pick, select). The background is the buttons' face colour, so a picture is copied onto its button as it is.

usage: make_tool_bitmaps.py [FOLDER]
"""

import struct
import sys

SIDE = 20

# Character, colour (R, G, B). Sixteen at most: the bitmaps keep four bits per pixel.
PALETTE = [
    (" ", (0x40, 0x40, 0x40)),  # the button face
    ("#", (0x00, 0x00, 0x00)),
    (".", (0xFF, 0xFF, 0xFF)),
    ("g", (0x80, 0x80, 0x80)),
    ("l", (0xC0, 0xC0, 0xC0)),
    ("r", (0xFF, 0x30, 0x30)),
    ("y", (0xFF, 0xD8, 0x30)),
    ("p", (0xFF, 0xA8, 0xB8)),
    ("b", (0x30, 0x80, 0xFF)),
    ("w", (0xF0, 0xD0, 0xA0)),
    ("c", (0xA0, 0xE0, 0xFF)),
    ("n", (0x20, 0x30, 0x90)),
]

PENCIL = """
               ##
              #pp#
             #pppp#
            #lpppp#
           #yyl##
          #yyyyl#
         #yyyyy#
        #yyyyy#
       #yyyyy#
      #yyyyy#
     #yyyyy#
    #wyyyy#
   #wwwyy#
   #wwww#
  #.www#
  ##ww#
  ###.#
  ####
"""

LINE = """


                .
               ..
              ..
             ..
            ..
           ..
          ..
         ..
        ..
       ..
      ..
     ..
    ..
   ..
   .
"""

ERASER = """


            #####
           #bbbbb#
          #bbbbbbb#
         #bbbbbbbbb#
        #pbbbbbbbbb#
       #pppbbbbbbb#
      #pppppbbbbb#
     #pppppppbbb#
    #pppppppppb#
   #ppppppppp##
   #pppppppp##
   #ppppppp##
    #ppppp##
     #######
"""

FILL = """
      ##
     #..#
    #.  .#
    #.   .#
   #########
   #.......#r
  #.........#r
 #..........#rr
 #..........#rr
  #........#  rr
   #......#   rr
    #....#    rr
     #..#     rr
      ##       r
"""

RECTANGLE = """


  ................
  .              .
  .              .
  .              .
  .              .
  .              .
  .              .
  .              .
  .              .
  .              .
  .              .
  .              .
  .              .
  ................
"""

CIRCLE = """

       ......
     ..      ..
    .          .
   .            .
  .              .
  .              .
 .                .
 .                .
 .                .
 .                .
 .                .
 .                .
  .              .
  .              .
   .            .
    .          .
     ..      ..
       ......
"""

PICKER = """
               ###
              #####
             ######
            ######
           #l####
          #cl##
         #cccl#
        #cccl#
       #cccl#
      #cccl#
     #cccl#
    #cccl#
   #cccl#
   #ccl#
  #c.#
  #.#
 ##
"""

SELECT = """


  .. .. .. .. .. .
  .
                 .
  .              .
  .
                 .
  .              .
  .
                 .
  .              .
  .
                 .
  .              .
  .
  . .. .. .. .. ..
"""

BITMAPS = [
    ("tool_pencil.bmp", PENCIL),
    ("tool_line.bmp", LINE),
    ("tool_eraser.bmp", ERASER),
    ("tool_fill.bmp", FILL),
    ("tool_rectangle.bmp", RECTANGLE),
    ("tool_circle.bmp", CIRCLE),
    ("tool_picker.bmp", PICKER),
    ("tool_select.bmp", SELECT),
]


def rows(picture):
    # Every line between the quotes is a row, empty ones included: the first is the top row.
    lines = picture.split("\n")[1:-1]
    lines = [line.ljust(SIDE) for line in lines] + [" " * SIDE] * (SIDE - len(lines))
    assert len(lines) == SIDE and all(len(line) == SIDE for line in lines), picture
    return lines


def bitmap(picture):
    index = {ch: i for i, (ch, _) in enumerate(PALETTE)}
    stride = (SIDE * 4 + 31) // 32 * 4
    bits = bytearray()
    for line in reversed(rows(picture)):  # bottom row first
        row = bytearray(stride)
        for x, ch in enumerate(line):
            value = index[ch]
            row[x // 2] |= value << 4 if x % 2 == 0 else value
        bits += row
    colours = b"".join(struct.pack("<BBBB", b, g, r, 0) for _, (r, g, b) in PALETTE)
    colours += b"\0" * (16 * 4 - len(colours))
    info = struct.pack("<IiiHHIIiiII", 40, SIDE, SIDE, 1, 4, 0, len(bits), 0, 0, 16, 0)
    offset = 14 + len(info) + len(colours)
    header = struct.pack("<2sIHHI", b"BM", offset + len(bits), 0, 0, offset)
    return header + info + colours + bytes(bits)


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else "resources"
    for name, picture in BITMAPS:
        with open(f"{folder}/{name}", "wb") as f:
            f.write(bitmap(picture))


if __name__ == "__main__":
    main()
