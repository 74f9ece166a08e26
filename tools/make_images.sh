#!/bin/sh
# make_images.sh - draws the icons, bitmaps and the opening sound of Vigilark.
#
# Writes resources/icons/*.ico (16x16 and 32x32, 32-bit with alpha),
# resources/bitmaps/*.bmp (24-bit BMP3, 32x22, read by windres and by
# static SS_BITMAP controls) and resources/sounds/open.wav (16-bit mono PCM).
# The generated files are committed; run this again only to change them.
#
# Motif: a watchful eye and a crested lark in teal, amber and cream.
# Everything is drawn at four times the final size and scaled down, so the
# small images keep smooth edges.  No fonts are used: glyphs are paths.
#
# Usage: tools/make_images.sh [repository root]
# Needs ImageMagick 6 (convert) and python3.

set -eu

ROOT=${1:-$(cd "$(dirname "$0")/.." && pwd)}
RES="$ROOT/resources"
if [ -z "${CONVERT:-}" ]; then
    if [ -x /usr/bin/convert ]; then CONVERT=/usr/bin/convert; else CONVERT=convert; fi
fi
TMP=$(mktemp -d)
trap 'rm -rf "$TMP"' EXIT

mkdir -p "$RES/icons" "$RES/bitmaps" "$RES/sounds"

# The helpers below print ImageMagick arguments one per line; split command
# substitutions at line ends only, and never expand globs.
IFS='
'
set -f

# Palette
TEAL_DARK='#17505a'
TEAL='#2a8c8c'
AMBER='#f2a93b'
AMBER_DARK='#a8641a'
CREAM='#fff7e6'
INK='#1b2326'

# ---------------------------------------------------------------------------
# Icons: draw on a transparent 128x128 canvas, then store 32 and 16 pixels.
# icon NAME DRAW-ARGUMENTS...
# ---------------------------------------------------------------------------
icon() {
    name=$1; shift
    "$CONVERT" -size 128x128 xc:none "$@" "$TMP/$name.png"
    "$CONVERT" "$TMP/$name.png" -filter Lanczos -define icon:auto-resize=32,16 \
        "$RES/icons/$name.ico"
}

# A rounded tile in one colour with a soft top highlight, the base of the
# page icons.  tile COLOUR
tile() {
    printf '%s\n' -fill "$1" -stroke '#00000060' -strokewidth 4 \
        -draw 'roundrectangle 6,6 121,121 22,22' \
        -stroke none -fill '#ffffff30' -draw 'roundrectangle 12,10 115,58 18,18'
}

# The eye: almond, amber iris, pupil and glint, centred on 64,64.
EYE_ALMOND='path "M 14,64 Q 64,10 114,64 Q 64,118 14,64 Z"'
eye() {
    printf '%s\n' -fill "$CREAM" -stroke "$INK" -strokewidth 6 -draw "$EYE_ALMOND" \
        -fill "$AMBER" -stroke "$AMBER_DARK" -strokewidth 4 -draw 'circle 64,64 64,42' \
        -stroke none -fill "$INK" -draw 'circle 64,64 64,54' \
        -fill white -draw 'circle 72,56 72,51'
}

# Program icon: the eye in a teal medallion crowned by a lark's crest.
icon program \
    -fill "$AMBER" -stroke "$AMBER_DARK" -strokewidth 3 \
    -draw 'path "M 50,30 Q 34,14 24,14 Q 36,22 40,34 Z"' \
    -draw 'path "M 60,26 Q 54,8 42,4 Q 52,14 50,30 Z"' \
    -draw 'path "M 70,26 Q 70,8 62,2 Q 66,14 60,28 Z"' \
    -fill "$TEAL_DARK" -stroke '#0c2f35' -strokewidth 4 -draw 'circle 64,76 64,26' \
    -stroke none -fill "$TEAL" -draw 'circle 64,72 64,32' \
    -fill '#ffffff28' -draw 'ellipse 64,48 32,12 0,360' \
    -fill "$CREAM" -stroke "$INK" -strokewidth 6 -draw 'path "M 20,76 Q 64,34 108,76 Q 64,118 20,76 Z"' \
    -fill "$AMBER" -stroke "$AMBER_DARK" -strokewidth 4 -draw 'circle 64,76 64,57' \
    -stroke none -fill "$INK" -draw 'circle 64,76 64,66' \
    -fill white -draw 'circle 71,69 71,64'

# Default program: a plain application window.
icon default_program \
    -fill '#f4f6f8' -stroke '#56606b' -strokewidth 5 -draw 'roundrectangle 10,18 118,112 8,8' \
    -stroke none -fill '#4f7fb8' -draw 'roundrectangle 12,20 116,42 6,6' \
    -fill '#ffffff' -draw 'rectangle 92,26 108,36' \
    -fill '#c9d3de' -draw 'rectangle 24,54 104,62' -draw 'rectangle 24,72 88,80' -draw 'rectangle 24,90 96,98'

# About page: the eye on a cream tile.
icon page_about $(tile "$CREAM") $(eye)

# About page badge: the lark itself, crest up, watching.
icon about_badge \
    -fill "$TEAL" -stroke "$TEAL_DARK" -strokewidth 4 -draw 'roundrectangle 6,6 121,121 22,22' \
    -stroke '#5a3a17' -strokewidth 4 -fill '#b07a3e' \
    -draw 'path "M 34,78 L 8,66 L 12,90 Z"' \
    -draw 'ellipse 60,80 34,22 0,360' \
    -draw 'path "M 84,42 L 80,20 L 92,38 Z"' \
    -draw 'path "M 90,40 L 94,22 L 98,40 Z"' \
    -draw 'circle 90,54 90,36' \
    -fill "$AMBER" -draw 'path "M 106,50 L 122,56 L 106,62 Z"' \
    -fill '#8c5a27' -stroke none -draw 'path "M 36,74 Q 60,58 84,76 Q 60,90 36,74 Z"' \
    -fill white -draw 'circle 95,51 95,45' \
    -fill "$INK" -draw 'circle 96,51 96,48' \
    -fill "$CREAM" -draw 'ellipse 66,90 18,6 0,360'

# Startup Programs: a sunrise, what starts with the day.
icon page_startup $(tile '#3f8f4f') \
    -fill "$AMBER" -stroke none -draw 'path "M 30,84 A 34,34 0 0,1 98,84 Z"' \
    -stroke "$AMBER" -strokewidth 7 -draw 'line 64,28 64,40' -draw 'line 26,46 34,54' \
    -draw 'line 102,46 94,54' -draw 'line 14,70 24,70' -draw 'line 104,70 114,70' \
    -stroke white -strokewidth 7 -draw 'line 20,92 108,92'

# Active Tasks: a pulse line.
icon page_tasks $(tile '#3d5a8a') \
    -fill none -stroke white -strokewidth 9 -draw 'polyline 16,70 40,70 50,46 64,94 76,34 88,70 112,70'

# Scheduled Tasks: a clock.
icon page_scheduled $(tile '#6a4c93') \
    -fill white -stroke '#3c2a58' -strokewidth 4 -draw 'circle 64,66 64,24' \
    -stroke "$INK" -strokewidth 7 -draw 'line 64,66 64,38' -draw 'line 64,66 84,76' \
    -stroke none -fill "$AMBER" -draw 'circle 64,66 64,60'

# Services: a cog.
icon page_services $(tile '#4a5568') \
    -stroke '#e8edf2' -strokewidth 16 -draw 'line 64,20 64,108' -draw 'line 20,64 108,64' \
    -draw 'line 33,33 95,95' -draw 'line 95,33 33,95' \
    -stroke none -fill '#e8edf2' -draw 'circle 64,64 64,30' \
    -fill '#4a5568' -draw 'circle 64,64 64,50'

# IE Helpers: a globe.
icon page_iehelpers $(tile '#2b6cb0') \
    -fill '#cfe3f7' -stroke white -strokewidth 5 -draw 'circle 64,64 64,22' \
    -fill none -draw 'ellipse 64,64 18,42 0,360' -draw 'line 22,64 106,64' \
    -draw 'path "M 30,44 Q 64,54 98,44"' -draw 'path "M 30,84 Q 64,74 98,84"'

# File Types: a document with a folded corner.
icon page_filetypes $(tile '#c76b1a') \
    -fill white -stroke '#6b3a0d' -strokewidth 4 -draw 'polygon 32,18 78,18 98,38 98,110 32,110' \
    -fill '#f3d2ae' -draw 'polygon 78,18 78,38 98,38' \
    -stroke '#c76b1a' -strokewidth 6 -draw 'line 44,58 86,58' -draw 'line 44,74 86,74' -draw 'line 44,90 72,90'

# Cookies: a cookie with a bite taken out.
icon page_cookies $(tile '#8a5a2b') \
    -fill '#e6b877' -stroke '#6b4220' -strokewidth 4 -draw 'circle 62,66 62,24' \
    -stroke none -fill '#8a5a2b' -draw 'circle 102,36 102,16' \
    -fill '#4a2c12' -draw 'circle 48,52 48,45' -draw 'circle 72,78 72,71' \
    -draw 'circle 46,86 46,80' -draw 'circle 78,50 78,45' -draw 'circle 60,66 60,62'

# Options: three sliders.
icon page_options $(tile "$TEAL") \
    -stroke white -strokewidth 6 -draw 'line 22,36 106,36' -draw 'line 22,64 106,64' -draw 'line 22,92 106,92' \
    -fill "$AMBER" -stroke "$INK" -strokewidth 4 -draw 'circle 44,36 44,26' \
    -draw 'circle 84,64 84,54' -draw 'circle 58,92 58,82'

# Filter word rows: a funnel.
icon filter \
    -fill "$AMBER" -stroke "$AMBER_DARK" -strokewidth 6 \
    -draw 'polygon 12,18 116,18 74,68 74,108 54,120 54,68'

# A row the resident monitor does not know yet: an amber badge with "!" in the lower
# left corner, laid over the row's own icon.
icon not_known \
    -fill "$AMBER" -stroke "$AMBER_DARK" -strokewidth 6 -draw 'circle 38,90 38,54' \
    -stroke "$INK" -strokewidth 11 -draw 'line 38,68 38,94' \
    -stroke none -fill "$INK" -draw 'circle 38,109 38,103'

# ---------------------------------------------------------------------------
# Bitmaps: 32x22 button-like tiles, drawn at 128x88.
# bitmap NAME TILE-COLOUR BORDER-COLOUR DRAW-ARGUMENTS...
# ---------------------------------------------------------------------------
bitmap() {
    name=$1; fill=$2; border=$3; shift 3
    "$CONVERT" -size 128x88 xc:"$fill" \
        -fill none -stroke "$border" -strokewidth 6 -draw 'rectangle 3,3 124,84' \
        -stroke none -fill '#ffffff40' -draw 'rectangle 6,6 121,24' \
        "$@" -filter Lanczos -resize 32x22! \
        -background "$fill" -alpha remove -alpha off -type TrueColor \
        "BMP3:$RES/bitmaps/$name.bmp"
}

# The question mark: a hook (an arc of an ellipse), a short stem and a dot.
# dx and dy move it (the pressed state sinks by 4).
question() {
    dx=$1; dy=$2; colour=$3
    printf '%s\n' -fill none -stroke "$colour" -strokewidth 11 \
        -draw "translate $dx,$dy ellipse 64,29 19,16 195,395" \
        -draw "translate $dx,$dy polyline 78,40 65,49 64,57" \
        -stroke none -fill "$colour" -draw "translate $dx,$dy circle 64,73 64,66"
}

bitmap help_rest  '#dbe9f7' '#7a9cc6' $(question 0 0 '#2b6cb0')
bitmap help_hover '#fff1d0' "$AMBER"  $(question 0 0 '#c86f12')
bitmap help_held  '#b9cfe8' '#4a6fa0' $(question 4 4 '#1d4f86')

# The Monitor switch: a closed eye when patrol is off, open when on.
# (The closed lid is a crescent of two filled ellipses: thick stroked arcs
# come out filled with this ImageMagick.)
bitmap monitor_off '#e4e4e4' '#9a9a9a' \
    -stroke none -fill '#6b6b6b' -draw 'ellipse 64,46 30,14 0,360' \
    -fill '#e4e4e4' -draw 'ellipse 64,38 36,14 0,360' \
    -stroke '#6b6b6b' -strokewidth 5 -draw 'line 46,57 42,67' -draw 'line 64,60 64,71' -draw 'line 82,57 86,67'
bitmap monitor_on '#d5efe3' '#2e8b57' \
    -fill "$CREAM" -stroke "$INK" -strokewidth 6 -draw "path 'M 30,44 Q 64,6 98,44 Q 64,82 30,44 Z'" \
    -fill "$AMBER" -stroke "$AMBER_DARK" -strokewidth 3 -draw 'circle 64,44 64,28' \
    -stroke none -fill "$INK" -draw 'circle 64,44 64,37' -fill white -draw 'circle 70,38 70,34'
bitmap monitor_held '#fff1d0' "$AMBER" \
    -fill "$CREAM" -stroke "$INK" -strokewidth 6 -draw "path 'M 30,48 Q 64,24 98,48 Q 64,80 30,48 Z'" \
    -fill "$AMBER" -stroke "$AMBER_DARK" -strokewidth 3 -draw 'circle 64,52 64,40' \
    -stroke none -fill "$INK" -draw 'circle 64,52 64,46'

# The cookie folder: a folder with a cookie in front.
folder() {
    dx=$1; dy=$2
    printf '%s\n' -fill '#f2c14e' -stroke '#a8741a' -strokewidth 4 -draw \
        "translate $dx,$dy path 'M 24,24 L 50,24 L 56,32 L 98,32 L 98,74 L 24,74 Z'" \
        -fill '#e6b877' -stroke '#6b4220' -strokewidth 3 -draw "translate $dx,$dy circle 88,62 88,46" \
        -stroke none -fill '#4a2c12' -draw "translate $dx,$dy circle 84,56 84,53" \
        -draw "translate $dx,$dy circle 93,66 93,63" -draw "translate $dx,$dy circle 82,68 82,66"
}
bitmap cookie_rest  '#f5ecd9' '#b08a50' $(folder 0 0)
bitmap cookie_hover '#fff1d0' "$AMBER"  $(folder 0 0)
bitmap cookie_held  '#e6d5b0' '#8a6a36' $(folder 4 4)

# ---------------------------------------------------------------------------
# The opening sound: a soft two-note chime, 0.4 s, 22050 Hz, 16-bit mono.
# ---------------------------------------------------------------------------
python3 - "$RES/sounds/open.wav" <<'PY'
import math, struct, sys, wave

rate = 22050
length = int(rate * 0.4)
notes = [(0.00, 784.0), (0.09, 1174.7)]       # G5, then D6
frames = bytearray()
for i in range(length):
    t = i / rate
    v = 0.0
    for start, freq in notes:
        if t < start:
            continue
        u = t - start
        attack = min(1.0, u / 0.008)             # no click at the onset
        decay = math.exp(-u * 9.0)
        v += attack * decay * (math.sin(2 * math.pi * freq * u)
                               + 0.25 * math.sin(4 * math.pi * freq * u))
    fade = min(1.0, (length - i) / (rate * 0.02))  # end on silence
    frames += struct.pack('<h', int(max(-1.0, min(1.0, 0.22 * v * fade)) * 32767))
with wave.open(sys.argv[1], 'wb') as w:
    w.setnchannels(1)
    w.setsampwidth(2)
    w.setframerate(rate)
    w.writeframes(bytes(frames))
PY

echo "images and sound written under $RES"
