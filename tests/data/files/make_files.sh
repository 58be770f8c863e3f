#!/bin/sh
# Makes the BMP and PCX test files with independent tools (Pillow and ImageMagick) and,
# for each, the tools' own decode as NAME.rgb (e.g. x.bmp.rgb): width x height (red, green, blue) bytes,
# top row first. The output is committed; the tests do not need the tools.
# Run from this folder: ./make_files.sh
set -eu
PY=/usr/bin/python3
$PY - <<'PYEOF'
from PIL import Image
import random, struct
random.seed(12)

def picture(w, h):
    im = Image.new("RGB", (w, h))
    im.putdata([(random.randrange(256), random.randrange(256), random.randrange(256)) for _ in range(w * h)])
    return im

def few_colours(w, h, n):
    pal = [random.randrange(256) for _ in range(3 * n)]
    im = Image.new("P", (w, h))
    im.putpalette(pal + [0] * (768 - len(pal)))
    im.putdata([random.randrange(n) for _ in range(w * h)])
    return im

def save(im, name, **kw):
    im.save(name, **kw)
    Image.open(name).convert("RGB").tobytes() and open(name + ".rgb", "wb").write(
        Image.open(name).convert("RGB").tobytes())

save(picture(13, 7), "rgb24_13x7.bmp")
save(picture(1, 1), "rgb24_1x1.bmp")
save(few_colours(13, 7, 200), "pal8_13x7.bmp")
save(few_colours(5, 3, 2).convert("1"), "mono_5x3.bmp")
save(picture(13, 7), "rgb24_13x7.pcx")
save(few_colours(13, 7, 200), "pal8_13x7.pcx")
save(few_colours(17, 5, 2).convert("1"), "mono_17x5.pcx")

# A top-down copy of the 8-bit file: rows reversed, height negated; Pillow decodes it.
data = bytearray(open("pal8_13x7.bmp", "rb").read())
offset, = struct.unpack_from("<I", data, 10)
w, h = struct.unpack_from("<ii", data, 18)
row = (w + 3) // 4 * 4
rows = [data[offset + i * row: offset + (i + 1) * row] for i in range(h)]
data[offset:] = b"".join(reversed(rows))
struct.pack_into("<i", data, 22, -h)
open("topdown8_13x7.bmp", "wb").write(data)
open("topdown8_13x7.bmp.rgb", "wb").write(Image.open("topdown8_13x7.bmp").convert("RGB").tobytes())
PYEOF
# ImageMagick: 4-bit and core-header (version 2) files, palettes of fewer than 256 colours,
# 16-colour four-plane PCX, and files the readers refuse.
convert -size 11x6 plasma:fractal -seed 3 -colors 16 -type Palette -depth 4 -compress None BMP3:pal4_11x6.bmp
convert -size 9x4 plasma:fractal -seed 4 -colors 40 -type Palette -compress None BMP3:pal8_40colours_9x4.bmp
convert -size 7x3 plasma:fractal -seed 5 -type TrueColor BMP2:core24_7x3.bmp
convert -size 7x3 plasma:fractal -seed 6 -colors 16 -type Palette BMP2:core4_7x3.bmp
convert -size 9x4 plasma:fractal -seed 7 -colors 20 -type Palette -compress RLE BMP3:rle8_9x4.bmp
convert -size 9x4 plasma:fractal -seed 8 -type TrueColorAlpha -alpha on BMP:argb32_9x4.bmp
for f in pal4_11x6 pal8_40colours_9x4 core24_7x3 core4_7x3; do
  $PY -c "from PIL import Image; open('$f.bmp.rgb','wb').write(Image.open('$f.bmp').convert('RGB').tobytes())"
done
convert -size 11x5 plasma:fractal -seed 9 -colors 16 -type Palette -depth 4 PCX:pal4_11x5.pcx
$PY -c "from PIL import Image; open('pal4_11x5.pcx.rgb','wb').write(Image.open('pal4_11x5.pcx').convert('RGB').tobytes())"
