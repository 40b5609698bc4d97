#!/usr/bin/env python3
"""Writes the seed corpus of palette_file_fuzz into fuzz/corpus/palette_file/ (run from anywhere)."""

import os
import struct

BLOCK = 49792
SLOT = 2464


def header(side, bit_count=24, colours_used=0, compression=0, planes=1):
    stride = (side * bit_count + 31) // 32 * 4
    return struct.pack("<IiiHHIIiiII", 40, side, side, planes, bit_count, compression, stride * side, 0, 0,
                       colours_used, 0)


def room(seed):
    normal = bytes((i * 7 + seed) & 0xFF for i in range(1656))
    wide = bytes((i * 5 + seed) & 0xFF for i in range(720))
    return (struct.pack("<I", 0xFF00FF) + header(23) + normal + struct.pack("<I", 0xFF000000) + header(15) + wide)


def block(walls, rooms):
    backgrounds = struct.pack("<8I", 0, 0xFFFFFF, 0x030000FF, 0x00FF00, 0x0AFF0000, 0xFFFF, 0xFFFF00, 0xFF00FF)
    wall_bytes = b"".join(walls.get(i, struct.pack("<5I4B", 0, *[0xFF000000] * 4, 0, 0, 0, 0)) for i in range(20))
    room_bytes = b"".join(rooms.get(i, bytes(SLOT)) for i in range(20))
    data = backgrounds + wall_bytes + room_bytes
    assert len(data) == BLOCK
    return data


def palette_file(magic, data):
    return magic + bytes(28) + data


def wall(i):
    return struct.pack("<5I4B", 0x102030 + i, 0x0000FF, 0xFF000000, 0x00FF00, 0xFFFFFF, 1, i & 1, i % 13, (i * 5) % 13)


def main():
    out = os.path.join(os.path.dirname(os.path.abspath(__file__)), "corpus", "palette_file")
    os.makedirs(out, exist_ok=True)
    empty = palette_file(b"PB00", block({}, {}))
    registered = palette_file(b"PS00", block({i: wall(i) for i in range(20) if i != 2},
                                             {i: room(i) for i in range(20) if i != 2}))
    # Slot 1: an 8-bit picture with a 23-colour table; slot 2: 16 bits with bit fields; slot 3: a header
    # claiming four billion colours.
    eight = (struct.pack("<I", 0xFF000000) + header(23, 8, 23) + bytes(range(23 * 4)) +
             bytes((x + y) % 23 for y in range(23) for x in range(24)))
    eight += bytes(1700 - len(eight))
    sixteen = struct.pack("<I", 0) + header(23, 16, 0, 3) + struct.pack("<3I", 0xF800, 0x07E0, 0x001F)
    sixteen += bytes(1700 - len(sixteen))
    lying = struct.pack("<I", 0) + header(23, 8, 0xFFFFFFFF)
    lying += bytes(1700 - len(lying))
    wide = room(9)[1700:]
    odd = palette_file(b"PS00", block({}, {0: eight + wide, 1: sixteen + wide, 2: lying + wide, 3: room(3)}))
    seeds = {
        "empty_base.mpb": empty,
        "registered_start.mps": registered,
        "nonstandard_rooms.mps": odd,
        "truncated_in_rooms.mps": registered[:30000],
        "truncated_in_walls.mps": registered[:300],
        "one_byte_long.mps": registered + b"\0",
    }
    for name, data in seeds.items():
        with open(os.path.join(out, name), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()
