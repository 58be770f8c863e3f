#!/bin/sh
# Makes the AVI test files with ffmpeg and, for each, ffmpeg's own decode as NAME.avi.rgb:
# every frame as width x height (red, green, blue) bytes, top row first. The output is
# committed; the tests do not need ffmpeg for these. Run from this folder: ./make_avi.sh
set -eu
src="-f lavfi -i testsrc=size=33x17:rate=10"
enc() { name=$1; shift; ffmpeg -v error -y $src -frames:v 4 "$@" "$name.avi"; }
# 4:2:0 chroma is interpolated by ffmpeg and repeated by the library: a smooth picture.
smooth="-f lavfi -i gradients=size=33x17:rate=10:speed=0.05:seed=1"
enc raw_bgr24 -c:v rawvideo -pix_fmt bgr24       # 24 bits, top-down rows without padding
enc raw_pal8 -c:v rawvideo -pix_fmt pal8         # 8 bits with a palette
enc raw_rgb555 -c:v rawvideo -pix_fmt rgb555le   # 16 bits
enc raw_bgra -c:v rawvideo -pix_fmt bgra         # 32 bits
enc mjpeg_444 -c:v mjpeg -pix_fmt yuvj444p -q:v 3
ffmpeg -v error -y $smooth -frames:v 4 -c:v mjpeg -pix_fmt yuvj420p -q:v 5 mjpeg_420.avi
# Codecs the library reads only when built with FFmpeg: lossless RGB, and inter frames.
enc ffv1_bgr0 -c:v ffv1 -pix_fmt bgr0
ffmpeg -v error -y $smooth -frames:v 4 -c:v mpeg4 -q:v 3 -g 3 mpeg4.avi
# Video-1, which the library reads only through a system codec (the Windows host's system
# AVI library); its blocks need a size of fours.
ffmpeg -v error -y -f lavfi -i testsrc=size=32x16:rate=10 -frames:v 4 -c:v msvideo1 msvideo1.avi
for f in *.avi; do
  ffmpeg -v error -y -i "$f" -sws_flags +accurate_rnd+full_chroma_int+bitexact -f rawvideo -pix_fmt rgb24 "$f.rgb"
done
