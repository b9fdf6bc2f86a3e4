#!/bin/sh
# Draws every picture of images/: builds the generator on its own (not part of
# the program's build), runs it, and puts the refresh animation together with
# ImageMagick. Needs qt6-base-dev, cmake and imagemagick on the developer's
# machine only; the program itself never needs ImageMagick.
#
#   tools/imagegen/make-images.sh [--sheet]   (--sheet also writes contact sheets)
set -eu

here=$(cd "$(dirname "$0")" && pwd)
repo=$(cd "$here/../.." && pwd)
out="$repo/images"
build=${IMAGEGEN_BUILD_DIR:-/tmp/keldar-imagegen-build}
frames="$build/refresh-frames"

# The real ImageMagick; a convert elsewhere on PATH may be something else.
convert=${IMAGEMAGICK_CONVERT:-/usr/bin/convert}
if ! "$convert" -version 2>/dev/null | grep -q ImageMagick; then
  echo "make-images: ImageMagick's convert not found at $convert (apt-get install imagemagick)" >&2
  exit 1
fi

# Qt wants a private runtime folder even when it draws off screen.
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
  XDG_RUNTIME_DIR="$build/runtime"
  mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
  export XDG_RUNTIME_DIR
fi

cmake -S "$here" -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" >/dev/null
gen="$build/keldar_imagegen"

rm -rf "$frames"
QT_QPA_PLATFORM=offscreen "$gen" "$out" "$frames"

# 12 frames, 80 ms each, looping; each frame replaces the last (no trails).
"$convert" -delay 8 -dispose previous -loop 0 "$frames"/refresh_*.png "$out/refresh.gif"

if [ "${1:-}" = "--sheet" ]; then
  sheets="$build/sheets"
  mkdir -p "$sheets"
  # Small icons at 4x; the larger pictures at 2x; the GIF's frames as shown.
  QT_QPA_PLATFORM=offscreen "$gen" --sheet "$sheets/icons.png" 4 \
    "$out"/bar_*_20.png "$out"/refresh_18.png "$out"/*_41.png
  QT_QPA_PLATFORM=offscreen "$gen" --sheet "$sheets/brand.png" 2 \
    "$out"/KELDAR.png "$out"/quandrell.png "$out"/column_*.png
  QT_QPA_PLATFORM=offscreen "$gen" --sheet "$sheets/small-brand.png" 4 \
    "$out"/KELDAR_70_70.png "$out"/QUANDRELL_70_70.png "$out"/keldar_128.png
  rm -rf "$sheets/gif" && mkdir -p "$sheets/gif"
  "$convert" "$out/refresh.gif" -coalesce "$sheets/gif/frame_%02d.png"
  QT_QPA_PLATFORM=offscreen "$gen" --sheet "$sheets/gif.png" 6 "$sheets"/gif/frame_*.png
  echo "contact sheets in $sheets"
fi
echo "pictures written to $out"
