#!/usr/bin/env python3
"""Writes the seed corpora of clipboard_map_fuzz and clipboard_comment_fuzz into fuzz/corpus/ (run from
anywhere)."""

import os
import struct


def map_block(w, h, seed=0):
    cells = bytes((i * 7 + seed) % 21 for i in range(4 * w * h))
    right = bytes((i + seed) % 21 for i in range(h))
    bottom = bytes((i * 3 + seed) % 21 for i in range(w))
    return struct.pack("<HH", w, h) + cells + right + bottom


def record(left, top, right, bottom, dx=60, dy=90, face="ＭＳ ゴシック".encode("cp932")):
    face = face[:31] + bytes(32 - len(face[:31]))
    return (face + struct.pack("<6i3Ih4B2B", left, top, right, bottom, dx, dy, 0, 0xFFFFFF, 0, 9, 128, 0, 0, 0,
                               0x11, 0))


def comment_block(rec, text):
    return rec + text + b"\0"


def write(folder, seeds):
    out = os.path.join(os.path.dirname(os.path.abspath(__file__)), "corpus", folder)
    os.makedirs(out, exist_ok=True)
    for name, data in seeds.items():
        with open(os.path.join(out, name), "wb") as f:
            f.write(data)


def main():
    write("clipboard_map", {
        "one_cell.bin": map_block(1, 1),
        "three_by_two.bin": map_block(3, 2, 5),
        "five_by_five.bin": map_block(5, 5, 9),
        "wider_than_maps.bin": map_block(20, 2, 3),
        "seventeen_square.bin": map_block(17, 17, 2),
        "padded.bin": map_block(2, 2, 1) + b"\xEE" * 12,
        "one_byte_short.bin": map_block(2, 3)[:-1],
        "zero_width.bin": struct.pack("<HH", 0, 4) + bytes(16),
        "huge_header.bin": struct.pack("<HH", 0xFFFF, 0xFFFF) + bytes(64),
    })
    note = "宝箱\r\n罠あり".encode("cp932")
    normal = record(40, 50, 130, 95)
    write("clipboard_comment", {
        "note.bin": comment_block(normal, note),
        "empty_text.bin": comment_block(record(300, 40, 200, 100, -20, 500), b""),
        "trailing_bytes.bin": comment_block(normal, b"abc") + b"xyz\0",
        "unterminated.bin": normal + note,
        "extreme_geometry.bin": comment_block(record(-2**31, 2**31 - 1, 2**31 - 1, -2**31, 2**31 - 1, -2**31),
                                              b"x"),
        "face_without_zero.bin": comment_block(record(0, 0, 8, 8, face=b"A" * 32), b"y"),
    })


if __name__ == "__main__":
    main()
