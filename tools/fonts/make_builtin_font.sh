#!/usr/bin/env bash
# Regenerates src/platform/common/builtin_font.cpp, the fixed-pitch bitmap font the library
# draws with when no system font can be had, by rasterising DejaVu Sans Mono with FreeType
# (Debian packages libfreetype-dev and fonts-dejavu-core). The build uses the committed
# output and needs neither.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
font=${1:-/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf}
size=${2:-14}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
g++ -std=c++20 -O1 -o "$tmp/rasterise" "$here/rasterise_builtin.cpp" $(pkg-config --cflags --libs freetype2)
"$tmp/rasterise" "$font" "$size" > "$tmp/builtin_font.cpp"
mv "$tmp/builtin_font.cpp" "$root/src/platform/common/builtin_font.cpp"
