#!/usr/bin/env bash
# Makes the JPEG test files with independent encoders (cjpeg, ImageMagick) and the
# reference decodes of an independent decoder (djpeg -dct int -nosmooth, 24-bit BMP).
# Needs libjpeg-turbo-progs and imagemagick. Outputs are committed; rerun only to change them.
set -euo pipefail
cd "$(dirname "$0")/jpeg"
src=$(mktemp --suffix=.ppm)
trap 'rm -f "$src" "$src.g"' EXIT
# A synthetic photograph-like picture: gradients, edges and noise, 67 x 45.
python3 - "$src" <<'PY'
import sys, random
random.seed(7)
w, h = 67, 45
out = bytearray()
for y in range(h):
    for x in range(w):
        r = (x * 255) // (w - 1); g = (y * 255) // (h - 1)
        b = 255 if (x // 8 + y // 8) % 2 else 30
        n = random.randint(-20, 20)
        out += bytes(max(0, min(255, v + n)) for v in (r, g, b))
open(sys.argv[1], 'wb').write(b'P6\n%d %d\n255\n' % (w, h) + out)
PY
enc() { name=$1; shift; cjpeg "$@" "$src" > "$name.jpg"; }
enc s444_q90 -quality 90 -sample 1x1
enc s422_q75 -quality 75 -sample 2x1
enc s420_q50 -quality 50 -sample 2x2
enc s411_q75 -quality 75 -sample 4x1
enc s420_q5 -quality 5 -baseline -sample 2x2
enc s444_q100 -quality 100 -sample 1x1
enc s420_opt_restart -quality 85 -sample 2x2 -optimize -restart 1
enc s444_restart3 -quality 80 -sample 1x1 -restart 3B
enc gray_q75 -quality 75 -grayscale
enc gray_restart -quality 60 -grayscale -restart 2B
convert "$src" -resize 1x1! -quality 90 one_pixel.jpg
convert "$src" -resize 17x9! -quality 70 -sampling-factor 2x2 im_17x9.jpg
cjpeg -quality 75 -progressive "$src" > progressive.jpg
for f in *.jpg; do
  case $f in progressive.jpg) continue;; esac
  djpeg -dct int -nosmooth -bmp "$f" > "${f%.jpg}.bmp"
done
