#!/usr/bin/env bash
# Re-renders the fixed-size PNG application icons from resources/icons/kinri.svg.
# Run after changing that SVG, then commit the PNGs. Needs rsvg-convert (Debian: librsvg2-bin)
# and optipng if present (only to shrink the files).
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"
app_id="io.github.kinri_keisan.Kinri"
svg="$root/resources/icons/kinri.svg"
command -v rsvg-convert >/dev/null || { echo "render.sh: rsvg-convert not found (apt-get install librsvg2-bin)" >&2; exit 1; }
for n in 16 22 24 32 48 64 128 256; do
  out="$here/hicolor/${n}x${n}/apps/$app_id.png"
  mkdir -p "$(dirname "$out")"
  rsvg-convert --width "$n" --height "$n" --format png "$svg" --output "$out"
  if command -v optipng >/dev/null; then optipng -quiet -o2 -strip all "$out"; fi
  echo "$out"
done

# The windows' own icons: fixed sizes, because loading the SVG engine and rendering the
# artwork on every window's first show costs measurable start-up time. They go up to 64 px, a
# title bar at 2x scale: an X11 window hands every size to the window manager as it is mapped, and
# 128 and 256 px were nine tenths of those pixels and a tenth of the start. Taskbars and switchers
# find the large sizes in the theme (above).
for name in kinri calc-single calc-table calc-four; do
  for n in 16 24 32 48 64; do
    out="$root/resources/icons/png/$name-$n.png"
    mkdir -p "$(dirname "$out")"
    rsvg-convert --width "$n" --height "$n" --format png "$root/resources/icons/$name.svg" --output "$out"
    if command -v optipng >/dev/null; then optipng -quiet -o2 -strip all "$out"; fi
    echo "$out"
  done
done

# The Windows program icon (Explorer, taskbar, Start menu): one .ico holding the PNG renders,
# which Windows reads directly (an ICONDIR header, one 16-byte entry per image, then the images).
le16() { printf "\\x$(printf %02x $(($1 & 255)))\\x$(printf %02x $(($1 >> 8 & 255)))"; }
le32() { le16 $(($1 & 65535)); le16 $(($1 >> 16)); }
ico="$root/packaging/windows/kinri.ico"
sizes=(16 24 32 48 64 128 256)
{
  le16 0; le16 1; le16 ${#sizes[@]}
  offset=$((6 + 16 * ${#sizes[@]}))
  for n in "${sizes[@]}"; do
    png="$here/hicolor/${n}x${n}/apps/$app_id.png"
    bytes=$(stat -c %s "$png")
    side=$((n == 256 ? 0 : n)) # 0 stands for 256
    printf "\\x$(printf %02x $side)\\x$(printf %02x $side)\\x00\\x00"
    le16 1; le16 32; le32 "$bytes"; le32 "$offset"
    offset=$((offset + bytes))
  done
  for n in "${sizes[@]}"; do cat "$here/hicolor/${n}x${n}/apps/$app_id.png"; done
} >"$ico"
echo "$ico"
