#!/bin/sh
# Writes the test bitmaps with an independent BMP writer (ImageMagick) from the three small pictures here.
set -eu
cd "$(dirname "$0")"
convert bw.pbm -type Bilevel BMP3:pic1.bmp
convert pic.ppm -type Palette -colors 6 BMP3:pic4.bmp
convert many.ppm -type Palette -compress None BMP3:pic8.bmp
convert pic.ppm -define bmp:subtype=RGB565 BMP3:pic16-nomasks.bmp
# This writer leaves out the three masks that must follow a 40-byte header with bit fields: put them in.
python3 - <<'PY'
import struct
d = open("pic16-nomasks.bmp", "rb").read()
masks = struct.pack("<III", 0xF800, 0x07E0, 0x001F)
fixed = d[:14] + d[14:54] + masks + d[54:]
fixed = fixed[:2] + struct.pack("<I", len(fixed)) + fixed[6:10] + struct.pack("<I", 66) + fixed[14:]
open("pic16.bmp", "wb").write(fixed)
PY
convert pic.ppm -type TrueColor BMP3:pic24.bmp
convert pic.ppm -alpha on -define bmp3:alpha=true BMP3:pic32.bmp
convert pic.ppm -type Palette -compress RLE BMP3:picrle8.bmp
convert pic.ppm BMP2:picos2.bmp
