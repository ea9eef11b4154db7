#!/usr/bin/env bash
# Draws the pictures built into the program: the position-panel buttons (normal and hover), the
# panel, the default logo, the second window's picture, the window icon and the menu cursor.
# Sizes and kinds are those of the window designs; the results are committed under
# src/ui/pictures, so this only needs running when a picture is redrawn.
# Needs ImageMagick (convert) and the DejaVu fonts.
set -euo pipefail
cd "$(dirname "$0")/.."

out=src/ui/pictures
mkdir -p "$out"

fonts=/usr/share/fonts/truetype/dejavu
bold="$fonts/DejaVuSans-Bold.ttf"
regular="$fonts/DejaVuSans.ttf"
for f in "$bold" "$regular"; do
    [ -f "$f" ] || { echo "make-ui-pictures: missing font $f (install fonts-dejavu-core)" >&2; exit 1; }
done


# Buttons: 20 x 27 pixels, 24-bit, black like the panel they sit beside. A left triangle, a return
# arrow and a right triangle; grey, and a lighter grey for the hover pictures.
button() { # name colour draw-commands...
    local name=$1 colour=$2
    shift 2
    convert -size 20x27 xc:black -fill "$colour" -stroke "$colour" "$@" \
        -strip -type TrueColor "BMP3:$out/$name.bmp"
}
for variant in normal:'#8c8c8c' hover:'#e6e6e6'; do
    kind=${variant%%:*}
    colour=${variant#*:}
    suffix=""
    [ "$kind" = hover ] && suffix="-hover"
    button "button-left$suffix" "$colour" -strokewidth 0 -draw "polygon 4,13 15,5 15,21"
    button "button-right$suffix" "$colour" -strokewidth 0 -draw "polygon 15,13 4,5 4,21"
    button "button-return$suffix" "$colour" -strokewidth 0 \
        -draw "rectangle 14,5 16,16" -draw "rectangle 8,14 16,16" -draw "polygon 3,15 9,10 9,20"
done

# Position panel: 243 x 27 pixels, 8-bit palette. A dark shaded ground with a thin grey frame
# around the bar (more than 16 shades, so the bitmap keeps 8 bits per pixel).
convert -size 27x243 gradient:'#2a2a2a'-'#000000' -rotate 90 -flop -fill none \
    -stroke '#505050' -strokewidth 1 -draw "rectangle 0,0 242,26" \
    -stroke '#181818' -draw "rectangle 2,2 240,24" \
    -strip -type Palette "BMP3:$out/panel.bmp"

# Default logo: 300 x 250 pixels, 24-bit. The name on a dark ground with a ring and a play mark.
convert -size 300x250 gradient:'#10101c'-'#000000' \
    -fill none -stroke '#c00040' -strokewidth 6 -draw "circle 150,92 150,40" \
    -stroke none -fill '#c00040' -draw "polygon 135,64 135,120 180,92" \
    -font "$bold" -pointsize 46 -fill '#f0f0f0' -gravity north -annotate +0+158 'Quorix' \
    -font "$regular" -pointsize 13 -fill '#9a9aa8' -gravity north -annotate +0+216 'video presenter' \
    -strip -type TrueColor "BMP3:$out/logo.bmp"

# Second window: 400 x 300 pixels, 24-bit, on the window's teal. Shown when the media device
# takes no file of the clip's kind (it is chosen by the name's extension); once it is closed the
# presentation ends, through the closing logo when there is one, so it says that and nothing
# more. The lower right corner stays free for the Ok button.
convert -size 400x300 xc:'#008080' \
    -fill '#ffd200' -stroke '#1a1a1a' -strokewidth 2 -draw "polygon 44,24 80,86 8,86" \
    -stroke none -fill '#1a1a1a' -draw "rectangle 41,44 47,70" -draw "rectangle 41,75 47,81" \
    -font "$bold" -pointsize 20 -fill white -gravity northwest \
    -annotate +100+30 'This video cannot be' -annotate +100+56 'played on this computer.' \
    -font "$regular" -pointsize 14 -fill '#e8ffff' \
    -annotate +24+118 'There is no video player on this computer' \
    -annotate +24+140 'for this kind of file.' \
    -annotate +24+184 'When you press Ok, the presentation ends.' \
    -strip -type TrueColor "BMP3:$out/cannot-play.bmp"

# Window icon: 32 x 32 and 16 x 16, 16 colours each. A red disc with a white play mark.
convert -size 32x32 xc:none -fill '#c00040' -stroke '#600020' -strokewidth 1 \
    -draw "circle 15.5,15.5 15.5,1" -stroke none -fill white -draw "polygon 12,9 12,23 23,16" \
    -colors 16 "PNG8:$out/icon-32.png"
convert -size 16x16 xc:none -fill '#c00040' -draw "circle 7.5,7.5 7.5,0" \
    -fill white -draw "polygon 6,4 6,11 12,7.5" -colors 16 "PNG8:$out/icon-16.png"

# Menu cursor: 32 x 32, a pointing hand; hot spot at the fingertip (11, 1), which the program uses.
convert -size 32x32 xc:none -fill white -stroke black -strokewidth 1 +antialias -draw \
    "polygon 9,2 10,1 12,1 13,2 13,11 14,10 16,10 17,11 18,10 20,10 21,11 22,11 23,12 23,21 21,25 21,28 9,28 9,25 4,19 3,17 4,15 6,15 9,18" \
    -draw "line 17,11 17,16" -draw "line 21,11 21,16" "PNG32:$out/menu-cursor.png"

echo "make-ui-pictures: pictures written to $out"
