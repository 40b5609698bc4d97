#!/usr/bin/env python3
"""Writes the seed corpus of ini_file_fuzz into fuzz/corpus/ini_file/ (run from anywhere)."""

import os

SETTINGS = ("; Tavrosin\n[Tavrosin]\nFolder=C:\\地図\\ソフト\nWidth = 640 \n\n"
            "[表示]\nフォルダ=\"C:\\表\\\"\n色='赤'\n\n[Window]\nLeft=10\n")


def cp932(text, end="\r\n"):
    return text.replace("\n", end).encode("cp932")


def main():
    seeds = {
        "cp932_crlf.ini": cp932(SETTINGS),
        "cp932_lf.ini": cp932(SETTINGS, "\n"),
        "cp932_cr_only.ini": cp932(SETTINGS, "\r"),
        "mixed_unterminated.ini": b"[Tavrosin]\r\nFolder=a\n\rLeft=1\r\r\n[Window]\rLeft=\x81",
        "utf16le.ini": b"\xff\xfe" + SETTINGS.replace("\n", "\r\n").encode("utf-16-le"),
        "utf16be.ini": b"\xfe\xff" + SETTINGS.replace("\n", "\r\n").encode("utf-16-be"),
        "utf16le_odd.ini": b"\xff\xfe" + "[Window]\nLeft=M\u00fcller\u0a0d".encode("utf-16-le") + b"\x0a",
        # The rough name search cuts ゾ before its ']' byte: a section name ending in a lone lead byte.
        "utf16le_half_character.ini": b"\xff\xfe" + "[表ゾ]\r\nFolder=1\r\n".encode("utf-16-le"),
        "utf8_bom.ini": b"\xef\xbb\xbf" + SETTINGS.replace("\n", "\r\n").encode("utf-8") + b"bad=\xff\xc3\r\n",
        "duplicates.ini": cp932("[Window]\nLeft=1\nLEFT=2\n[other]\nLeft=3\n[WINDOW]\nLeft=4\nTop=5\n"),
        "unclosed_section.ini": cp932("x=0\n[Tavrosin\nFolder=1\n[表示ゾ\nフォルダ=2\n[Window] ] \nLeft=3"),
        "long_value.ini": cp932("[Tavrosin]\nFolder=" + "地" * 2100 + "\nLeft=1\n"),
        "garbage.bin": bytes((i * 131 + 7) % 256 for i in range(300)) + b"[\x00]\x00=\x00\xfc",
    }
    out = os.path.join(os.path.dirname(os.path.abspath(__file__)), "corpus", "ini_file")
    os.makedirs(out, exist_ok=True)
    for name, data in seeds.items():
        with open(os.path.join(out, name), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()
