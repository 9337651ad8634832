#!/bin/sh
# Renders src/Resources/svg/*.svg to the 128 px PNGs the program embeds, builds
# AppLogo.ico (16, 32, 48, 256), AppLogo.png (256), the About dialog's Logo.png
# (400 x 52, shown in 200 x 26) and the desktop icons of dist/icons (16 to 256 px
# and the SVG), and optionally a contact sheet at
# toolbar size.
# Needs: rsvg-convert (librsvg2-bin), icotool (icoutils); optional: optipng,
# montage (imagemagick) for the sheet.
# Usage: tools/icons/render-icons.sh [contact-sheet.png]
set -eu

here=$(cd "$(dirname "$0")" && pwd)
res="$here/../../src/Resources"
svg="$res/svg"
sheet=${1:-}

for tool in rsvg-convert icotool; do
    command -v "$tool" >/dev/null || { echo "missing $tool" >&2; exit 1; }
done

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

shrink() {
    # Lossless; the committed files stay small without changing a pixel.
    if command -v optipng >/dev/null; then optipng -quiet -o5 -strip all "$1"; fi
}

for src in "$svg"/*.svg; do
    name=$(basename "$src" .svg)
    case "$name" in AppLogo* | Logo) continue ;; esac
    rsvg-convert -w 128 -h 128 -o "$res/$name.png" "$src"
    shrink "$res/$name.png"
done

# Twice its display size, so it stays sharp on high-density screens.
rsvg-convert -w 400 -h 52 -o "$res/Logo.png" "$svg/Logo.svg"
shrink "$res/Logo.png"

# Small sizes come from a plainer drawing: the checklist and ticks turn to mush below 48 px.
for size in 16 32; do
    rsvg-convert -w $size -h $size -o "$tmp/logo-$size.png" "$svg/AppLogo-small.svg"
done
for size in 48 256; do
    rsvg-convert -w $size -h $size -o "$tmp/logo-$size.png" "$svg/AppLogo.svg"
done
cp "$tmp/logo-256.png" "$res/AppLogo.png"
shrink "$res/AppLogo.png"
for size in 16 32 48; do shrink "$tmp/logo-$size.png"; done
# 256 stored as PNG (as Windows does), the rest as 32-bit BMP entries.
icotool -c -o "$res/AppLogo.ico" \
    "$tmp/logo-16.png" "$tmp/logo-32.png" "$tmp/logo-48.png" -r "$res/AppLogo.png"

# The desktop's icon theme: the same drawings at the usual sizes, and the drawing itself.
dist="$here/../../dist/icons/hicolor"
for size in 16 32 48 64 128 256; do
    mkdir -p "$dist/${size}x${size}/apps"
    cp "$tmp/logo-$size.png" "$dist/${size}x${size}/apps/corvane-audit.png" 2>/dev/null \
        || rsvg-convert -w $size -h $size -o "$dist/${size}x${size}/apps/corvane-audit.png" "$svg/AppLogo.svg"
    shrink "$dist/${size}x${size}/apps/corvane-audit.png"
done
mkdir -p "$dist/scalable/apps"
cp "$svg/AppLogo.svg" "$dist/scalable/apps/corvane-audit.svg"

if [ -n "$sheet" ]; then
    command -v montage >/dev/null || { echo "missing montage" >&2; exit 1; }
    set --
    for png in "$res"/*.png; do
        name=$(basename "$png" .png)
        rsvg-convert -h 40 -o "$tmp/sheet-$name.png" "$svg/$name.svg"
        set -- "$@" -label "$name" "$tmp/sheet-$name.png"
    done
    montage "$@" -tile 6x -geometry 120x56+6+6 -pointsize 10 \
        -background '#d9d9d9' "$sheet"
fi
