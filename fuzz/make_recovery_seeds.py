#!/usr/bin/env python3
"""Writes the seed corpus of recovery_record_fuzz into fuzz/corpus/recovery_record/ (run from anywhere)."""

import os
import struct


def record(path, year=2026, month=12, day=9, hour=12, minute=0, second=5, reserved=0, length=None):
    units = path.encode("utf-16-le")
    count = len(units) // 2 if length is None else length
    return (b"TRC1" + struct.pack("<HBBBBBB", year, month, day, hour, minute, second, reserved)
            + struct.pack("<H", count) + units)


def main():
    seeds = {
        "plain.own": record("C:\\maps\\castle.MED"),
        "untitled.own": record(""),
        "beyond_cp932.own": record("C:\\M\u00fcller\\\U0001F5FA \u5730\u56f3.MED"),
        "length_too_long.own": record("C:\\a.MED", length=300),
        "bad_time.own": record("C:\\a.MED", month=13, hour=24),
        "reserved_set.own": record("C:\\a.MED", reserved=1),
        "truncated.own": record("C:\\maps\\castle.MED")[:17],
    }
    out = os.path.join(os.path.dirname(os.path.abspath(__file__)), "corpus", "recovery_record")
    os.makedirs(out, exist_ok=True)
    for name, data in seeds.items():
        with open(os.path.join(out, name), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()
