#!/usr/bin/env python3
"""Writes the seed corpus of mark_history_fuzz into fuzz/corpus/mark_history/ (run from anywhere).

Bytes 8 to 11 of the header pick the target's settings: limit byte % 8, FILO bit, duplicates bit, and the
file call to fail (byte % 24, none when 0)."""

import os
import struct


def header(magic, count, limit=3, filo=0, overlap=0, failure=0):
    return magic + struct.pack("<I", count) + bytes([limit, filo, overlap, failure]) + bytes(20)


def wall(i):
    return struct.pack("<5I4B", 0x102030 + i, 0x0000FF, 0xFF000000, 0x00FF00, 0xFFFFFF, 1, i & 1, i % 13, (i * 5) % 13)


def info(side, bit_count=24, colours_used=0):
    stride = (side * bit_count + 31) // 32 * 4
    return struct.pack("<IiiHHIIiiII", 40, side, side, 1, bit_count, 0, stride * side, 0, 0, colours_used, 0)


def room(seed):
    normal = bytes((i * 7 + seed) & 0xFF for i in range(1656))
    wide = bytes((i * 5 + seed) & 0xFF for i in range(720))
    return struct.pack("<I", 0xFF00FF) + info(23) + normal + struct.pack("<I", 0xFF000000) + info(15) + wide


def eight_bit_room():
    part = struct.pack("<I", 0xFF000000) + info(23, 8, 23) + bytes(range(23 * 4))
    part += bytes((x + y) % 23 for y in range(23) for x in range(24))
    part += bytes(1700 - len(part))
    return part + room(9)[1700:]


def main():
    out = os.path.join(os.path.dirname(os.path.abspath(__file__)), "corpus", "mark_history")
    os.makedirs(out, exist_ok=True)
    a, b, c = wall(1), wall(2), wall(3)
    seeds = {
        "three_walls.mhd": header(b"HD00", 3) + a + b + c,
        "filo_full.mhd": header(b"HD00", 3, 3, 1) + a + b + c,
        "duplicates.mhd": header(b"HD00", 3, 3) + a + b + a,
        "count_too_large.mhd": header(b"HD00", 9, 5) + a + b + c[:20],
        "header_only.mhd": header(b"HD00", 0, 2),
        "short.mhd": header(b"HD00", 1)[:20],
        "wrong_magic.mhd": header(b"XD00", 1) + a,
        "two_rooms.mhb": header(b"HB00", 2, 2) + room(1) + room(2),
        "eight_bit_room.mhb": header(b"HB00", 1, 4, 0, 1) + eight_bit_room(),
        "limit_zero.mhd": header(b"HD00", 2, 0) + a + b,
        "failing_copy.mhd": header(b"HD00", 3, 3, 0, 0, 7) + a + b + c,
    }
    for name, data in seeds.items():
        with open(os.path.join(out, name), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()
