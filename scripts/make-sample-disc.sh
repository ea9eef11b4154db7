#!/usr/bin/env bash
# Builds the sample disc under examples/disc/quorix: four short MPEG clips with sound, the
# settings file "quorix.ini" (Windows-1252, CRLF) and the three optional pictures "frame.jpg",
# "bgrd.jpg" and "logo.bmp". The results are committed, so this only needs running when the disc
# is redrawn. Output is repeatable: bit-exact encoders, single-threaded, no metadata.
# Needs ffmpeg, ImageMagick (convert), iconv and the DejaVu fonts.
set -euo pipefail
cd "$(dirname "$0")/.."

out=examples/disc/quorix
fonts=/usr/share/fonts/truetype/dejavu
bold="$fonts/DejaVuSans-Bold.ttf"
regular="$fonts/DejaVuSans.ttf"

for tool in ffmpeg convert iconv; do
    command -v "$tool" >/dev/null || { echo "make-sample-disc: $tool is missing" >&2; exit 1; }
done
for f in "$bold" "$regular"; do
    [ -f "$f" ] || { echo "make-sample-disc: missing font $f (install fonts-dejavu-core)" >&2; exit 1; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

rm -rf "$out"
mkdir -p "$out"

# ---------------------------------------------------------------------------------------------
# Clips. Each is a solid, strongly coloured ground (so a viewer, or a test sampling the video
# rectangle, can tell the clips apart by colour), a white square bouncing across it, the title
# in the middle, and a frame counter in the corner. The sound is a steady tone, a different
# pitch per clip. Two clips are MPEG-1 system streams at 25 fps (PAL SIF), two are MPEG-2
# program streams at 29.97 fps (NTSC SIF); all are 4:3 pictures.
#
# clip  file on disc   title (UTF-8 here)  ground    kind                   tone
clips=(
    "welcome.mpg|Welcome|0xd81818|mpeg1|440"
    "wald.mpg|Bär im Wald|0x149a2a|mpeg2|523.25"
    "sea.mpg|Open Sea|0x1c3cd8|mpeg1|659.25"
    "SUNRISE.MPG|Sunrise|0xf0c814|mpeg2|783.99"
)
seconds=4

make_clip() { # file title ground kind tone number
    local file=$1 title=$2 ground=$3 kind=$4 tone=$5 number=$6
    local size rate codec format arate
    if [ "$kind" = mpeg1 ]; then
        size=352x288 rate=25 codec=mpeg1video format=mpeg arate=44100
    else
        size=352x240 rate=30000/1001 codec=mpeg2video format=vob arate=48000
    fi
    # Text goes through files, so no title needs escaping inside the filter graph.
    printf '%s' "$title" >"$work/title$number.txt"
    printf 'Quorix sample clip %s' "$number" >"$work/sub$number.txt"

    local ink=white shade=black@0.55
    local graph
    graph="color=c=$ground:s=$size:r=$rate:d=$seconds[ground];"
    graph+="color=c=white:s=36x36:r=$rate:d=$seconds[square];"
    graph+="[ground][square]overlay=shortest=1"
    graph+=":x='abs(mod(t*150,2*(W-w))-(W-w))':y='H*0.72-h/2+(H*0.12)*sin(t*3)',"
    graph+="drawtext=fontfile=$bold:textfile=$work/title$number.txt:fontsize=34:fontcolor=$ink"
    graph+=":shadowcolor=$shade:shadowx=2:shadowy=2:x=(w-text_w)/2:y=h*0.30,"
    graph+="drawtext=fontfile=$regular:textfile=$work/sub$number.txt:fontsize=14:fontcolor=$ink"
    graph+=":shadowcolor=$shade:shadowx=1:shadowy=1:x=(w-text_w)/2:y=h*0.30+44,"
    graph+="drawtext=fontfile=$regular:text='%{frame_num}':start_number=1:fontsize=13"
    graph+=":fontcolor=$ink:x=w-text_w-8:y=h-text_h-8,"
    graph+="format=yuv420p[v];"
    graph+="sine=frequency=$tone:sample_rate=$arate:samples_per_frame=1152:duration=$seconds,volume=0.5[a]"

    ffmpeg -nostdin -hide_banner -loglevel error -y -threads 1 \
        -filter_complex "$graph" -map '[v]' -map '[a]' \
        -c:v "$codec" -q:v 4 -g 12 -bf 2 -aspect 4:3 -r "$rate" \
        -c:a mp2 -b:a 128k -ac 1 \
        -fflags +bitexact -flags +bitexact \
        -map_metadata -1 -f "$format" "$out/$file"
}

n=0
for entry in "${clips[@]}"; do
    IFS='|' read -r file title ground kind tone <<<"$entry"
    n=$((n + 1))
    make_clip "$file" "$title" "$ground" "$kind" "$tone" "$n"
done

# ---------------------------------------------------------------------------------------------
# Settings file. Titles are the catalogue keys of [filelist], so each must be the same bytes in
# both sections; writing the whole file through iconv keeps them so. The names in [filelist]
# are lower case while one clip is upper case on disc: the presenter finds it regardless.
# Colours are &H00BBGGRR with at least five significant digits, so none reads as a 16-bit value:
# titles in a soft white, the highlight in warm gold, over the dark blue ground of bgrd.jpg.
cat >"$work/quorix.ini" <<'EOF'
[settings]
widemode=0
menumode=1
loopmode=0
hidemode=0
shadowmode=1
overscan=0
intro=0
lineoffset=15
hilitecolor=&H0040D0FF
logomode=1

[font]
factor=4000
color=&H00F0E8E0
bold=1
italic=0

[cliplist]
clip00=Welcome
clip01=Bär im Wald
clip02=Open Sea
clip03=Sunrise

[filelist]
Welcome=welcome.mpg
Bär im Wald=wald.mpg
Open Sea=sea.mpg
Sunrise=sunrise.mpg
EOF
iconv -f UTF-8 -t WINDOWS-1252 "$work/quorix.ini" | sed 's/$/\r/' >"$out/quorix.ini"
grep -q $'B\xe4r im Wald' "$out/quorix.ini" || {
    echo "make-sample-disc: quorix.ini is not in Windows-1252" >&2
    exit 1
}

# ---------------------------------------------------------------------------------------------
# Pictures. All drawn, no photographs; -strip keeps dates and profiles out of the files.

# frame.jpg: the whole window's frame layer, seen around the picture area when widemode is on.
# A dark vertical gradient with a thin double border.
convert -size 1024x768 gradient:'#1c1f2e'-'#040408' \
    -fill none -stroke '#5a6484' -strokewidth 2 -draw "rectangle 6,6 1017,761" \
    -stroke '#262b3d' -strokewidth 1 -draw "rectangle 12,12 1011,755" \
    -strip -quality 88 -sampling-factor 2x2 "$out/frame.jpg"

# bgrd.jpg: the menu ground, stretched over the picture area. A calm dark blue, lighter at the
# top, with a few faint rings and bands kept to the edges so the centre stays plain for titles.
convert -size 640x480 gradient:'#1a2f5c'-'#050a1c' \
    -fill none -stroke '#25407a' -strokewidth 3 \
    -draw "circle 40,440 40,350" -draw "circle 40,440 40,290" \
    -draw "circle 610,30 610,100" -draw "circle 610,30 610,150" \
    -stroke none -fill '#0c1838' -draw "rectangle 0,452 640,458" -draw "rectangle 0,22 640,26" \
    -blur 0x1.5 \
    -strip -quality 88 -sampling-factor 2x2 "$out/bgrd.jpg"

# logo.bmp: the closing logo, 300 x 250, classic 24-bit bitmap.
convert -size 300x250 gradient:'#14213f'-'#03050d' \
    -fill none -stroke '#e0b040' -strokewidth 3 -draw "roundrectangle 6,6 293,243 18,18" \
    -stroke none -fill '#e0b040' -draw "polygon 136,38 136,86 176,62" \
    -font "$bold" -pointsize 52 -fill '#f0e8e0' -gravity center -annotate +0+14 'Quorix' \
    -font "$regular" -pointsize 17 -fill '#b8c4e0' -annotate +0+72 'Thank you for watching' \
    -strip -type TrueColor "BMP3:$out/logo.bmp"

# At the medium's root: the file that desktops following the freedesktop autorun convention offer
# to run when the disc is inserted.
cat > "$out/../.autorun" <<'AUTORUN'
#!/bin/sh
# Run by the desktop (after asking the user) when this medium is mounted: presents the medium's
# clips with the presenter installed on the machine.
cd "$(dirname "$0")" || exit 1
exec quorix "$PWD"
AUTORUN
chmod +x "$out/../.autorun"

ls -l "$out"
