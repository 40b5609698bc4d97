#!/usr/bin/env python3
"""Writes the seed corpus of packed_bitmap_fuzz into fuzz/corpus/packed_bitmap/ (run from anywhere): packed
bitmaps as a BMP file holds them after its 14-byte file header, valid ones of every depth and some broken."""

import os
import struct


def header(width, height, bits, compression=0, image_size=0, colours=0, size=40):
    return struct.pack("<IiiHHIIiiII", size, width, height, 1, bits, compression, image_size, 0, 0, colours, 0)


def table(entries):
    return b"".join(struct.pack("<BBBB", (i * 37) % 256, (i * 91) % 256, (i * 53) % 256, 0) for i in range(entries))


def rows(width, height, bits):
    stride = (width * bits + 31) // 32 * 4
    return bytes((i * 29 + 3) % 256 for i in range(stride * height))


def main():
    seeds = {
        "1bit.dib": header(9, 3, 1) + table(2) + rows(9, 3, 1),
        "4bit.dib": header(5, 4, 4) + table(16) + rows(5, 4, 4),
        "8bit_used.dib": header(6, 2, 8, colours=7) + table(7) + rows(6, 2, 8),
        "16bit.dib": header(3, 3, 16) + rows(3, 3, 16),
        "16bit_fields.dib": header(3, 3, 16, 3) + struct.pack("<III", 0xF800, 0x07E0, 0x001F) + rows(3, 3, 16),
        "24bit.dib": header(23, 23, 24) + rows(23, 23, 24),
        "24bit_top_down.dib": header(4, -3, 24) + rows(4, 3, 24),
        "32bit_fields.dib": header(2, 2, 32, 3) + struct.pack("<III", 0xFF0000, 0xFF00, 0xFF) + rows(2, 2, 32),
        "rle8.dib": header(4, 3, 8, 1, image_size=20) + table(256)
        + bytes([4, 9, 0, 0, 0, 3, 1, 2, 3, 0, 0, 0, 0, 2, 1, 1, 2, 5, 0, 1]),
        "rle4.dib": header(6, 2, 4, 2, image_size=12) + table(16) + bytes([6, 0x12, 0, 0, 0, 5, 0x12, 0x34, 0x50, 0, 0, 1]),
        "core_header.dib": struct.pack("<IHHHH", 12, 4, 4, 1, 24) + rows(4, 4, 24),
        "short_rows.dib": header(40, 30, 24) + rows(40, 29, 24),
        "lying_size.dib": header(4, 3, 8, 1, image_size=100000) + table(256) + bytes([4, 1, 0, 1]),
        "huge.dib": header(100000, 100000, 1) + table(2) + rows(8, 1, 1),
    }
    folder = os.path.join(os.path.dirname(os.path.abspath(__file__)), "corpus", "packed_bitmap")
    os.makedirs(folder, exist_ok=True)
    for name, data in seeds.items():
        with open(os.path.join(folder, name), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()
