#!/usr/bin/env bash
# CPU seconds and peak memory of playing one 10 s clip through quorix-mci, against the mpv
# command line on the same clip with the same video output and no sound.
#
#   bench/device/play-cost.sh BUILD_DIR [CLIP]
#
# Needs ffmpeg (to make the clip when none is given), mpv and GNU time; the native output runs
# only where xvfb-run is present.
set -euo pipefail
build=${1:?usage: play-cost.sh BUILD_DIR [CLIP]}
mci="$build/tools/quorix-mci/quorix-mci"
[ -x "$mci" ] || { echo "no quorix-mci in $build" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
clip=${2:-}
if [ -z "$clip" ]; then
    clip="$work/clip10.mpg"
    ffmpeg -nostdin -v error -y -f lavfi -i testsrc=size=352x288:rate=25:duration=10 \
        -f lavfi -i sine=frequency=440:duration=10 -c:v mpeg1video -b:v 1500k -c:a mp2 \
        -f mpeg "$clip"
fi

# Prints "user+system seconds" and "peak resident KiB" of one run.
measure() {
    /usr/bin/time -f "%U %S %M" -o "$work/time" "$@" >/dev/null 2>&1
    awk '{ printf "%6.2f s CPU  %7d KiB peak\n", $1 + $2, $3 }' "$work/time"
}

compare() {
    local name=$1 video=$2 vo=$3 context=$4
    shift 4
    echo "== $name"
    printf "quorix-mci  "
    measure "$@" "$mci" --video "$video" --audio none "open $clip alias v" "play v"
    printf "mpv         "
    measure "$@" mpv --no-config --really-quiet --vo="$vo" --gpu-context="$context" --ao=null \
        --keepaspect=no "$clip"
}

compare "null output (vo=null)" none null auto
if command -v xvfb-run >/dev/null; then
    # The device's GPU output draws through EGL; mpv's own choice would be GLX.
    compare "native window under Xvfb (vo=gpu,x11, gpu-context=x11egl)" native gpu,x11 x11egl \
        xvfb-run -a -s "-screen 0 1024x768x24"
fi
