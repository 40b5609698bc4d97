#!/usr/bin/env python3
"""Writes the seed corpus of map_file_fuzz and map_round_trip_fuzz into fuzz/corpus/map_file/ and
fuzz/corpus/map_round_trip/ (run from anywhere).

Seeds named *.MED are whole map files; the *.part seeds are only what follows the palette block (size,
cells, comment areas), which the target puts behind a fixed header and palette."""

import os
import struct

BLOCK = 49792


def palette_block():
    backgrounds = struct.pack("<8I", 0, 0xFFFFFF, 0x030000FF, 0x00FF00, 0x0AFF0000, 0xFFFF, 0xFFFF00, 0xFF00FF)
    wall = struct.pack("<5I4B", 0x102030, 0xFF, 0xFF000000, 0xFF00, 0xFFFFFF, 1, 1, 4, 9)
    walls = wall + bytes(24 * 19)
    return backgrounds + walls + bytes(BLOCK - 32 - 480)


def header(column_start=-3, row_start=7, base=1, column_step=1, row_step=-1):
    return b"ED00" + bytes(4) + struct.pack("<iiBbbB", column_start, row_start, base, column_step, row_step, 0) + bytes(12)


def record(left, top, right, bottom, dx, dy, face="ＭＳ ゴシック", frame=0, background=0xFFFFFF, text=0,
           points=9, style=0, frame_style=0, anchor=0, align=0):
    name = face.encode("cp932")[:31]
    return (name + bytes(32 - len(name)) + struct.pack("<6i3Ih5B", left, top, right, bottom, dx, dy, frame,
                                                       background, text, points, 128, style, frame_style, anchor,
                                                       align) + b"\0")


def comment(rec, text):
    data = text.encode("cp932")
    return rec + struct.pack("<H", len(data)) + data


def map_part(width, height, comments, count=None):
    cells = bytes(((c * 7 + r * 3 + layer) % 22) for r in range(height) for c in range(width) for layer in range(4))
    body = b"".join(comments)
    return struct.pack("<ii", width, height) + cells + struct.pack("<i", len(comments) if count is None else count) + body


def main():
    areas = [
        comment(record(10, 12, 90, 72, 60, 90), "表示ソ能\r\n二行目"),
        comment(record(40, 30, 48, 38, -20, 5, face="Arial", frame=0xFF000000, background=0xFF000000, points=14,
                       style=3, frame_style=2, anchor=1, align=0x12), ""),
        comment(record(100, 0, 170, 34, 0, 0, frame_style=1, anchor=3, align=0x21), "右下"),
    ]
    small = map_part(5, 4, areas)
    full = header() + palette_block() + small
    lying = bytearray(map_part(5, 4, areas))
    second_length = 8 + 80 + 4 + len(areas[0]) + 76
    lying[second_length:second_length + 2] = b"\xff\xff"
    seeds = {
        "small.MED": full,
        "truncated_in_cells.MED": full[:49832 + 30],
        "palette_only.MED": header() + palette_block(),
        "one_cell.part": map_part(1, 1, []),
        "comments.part": small,
        "truncated_in_comment.part": small[:len(small) - 10],
        "lying_text_length.part": bytes(lying),
        "count_too_large.part": map_part(2, 2, areas[:1], count=1000),
        "zero_width.part": map_part(0, 3, []),
    }
    for target in ("map_file", "map_round_trip"):
        out = os.path.join(os.path.dirname(os.path.abspath(__file__)), "corpus", target)
        os.makedirs(out, exist_ok=True)
        for name, data in seeds.items():
            with open(os.path.join(out, name), "wb") as f:
                f.write(data)


if __name__ == "__main__":
    main()
