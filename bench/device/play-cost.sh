#!/usr/bin/env bash
# CPU seconds and peak memory of playing one 10 s clip through quorix-mci, against the mpv
# command line on the same clip, no sound, each in a window of the clip's size. Runs interleaved,
# RUNS times each (3 by default), so that a change of load hits every player alike; prints each
# run, the medians and the load average.
#
#   bench/device/play-cost.sh BUILD_DIR [CLIP] [RUNS]
#
# Needs ffmpeg (to make the clip when none is given), mpv and GNU time; the native window runs
# only where Xvfb is present, on an Xvfb of its own (the X server's own work is not counted).
set -euo pipefail
if [ -z "${PLAY_COST_XVFB:-}" ] && command -v Xvfb >/dev/null; then
    PLAY_COST_XVFB=1 exec "$(dirname "$0")/../../tests/support/with-xvfb.sh" "$0" "$@"
fi
build=${1:?usage: play-cost.sh BUILD_DIR [CLIP] [RUNS]}
mci="$(realpath "$build")/tools/quorix-mci/quorix-mci"
[ -x "$mci" ] || { echo "no quorix-mci in $build" >&2; exit 1; }
runs=${3:-3}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
clip=${2:-}
if [ -z "$clip" ]; then
    clip="$work/clip10.mpg"
    ffmpeg -nostdin -v error -y -f lavfi -i testsrc=size=352x288:rate=25:duration=10 \
        -f lavfi -i sine=frequency=440:duration=10 -c:v mpeg1video -b:v 1500k -c:a mp2 \
        -f mpeg "$clip"
fi

# Appends "user+system seconds" and "peak resident KiB" of one run to the file named.
measure() {
    local into=$1
    shift
    /usr/bin/time -f "%U %S %M" -o "$work/time" "$@" >/dev/null 2>&1
    awk '{ printf "%.2f %d\n", $1 + $2, $3 }' "$work/time" >>"$into"
}

# The median of one column of a figures file.
median() {
    cut -d' ' -f"$1" "$2" | sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'
}

# compare TITLE NAME|COMMAND... in turn, runs times; then each one's runs and medians.
compare() {
    local title=$1
    shift
    echo "== $title"
    local i=0 names=() commands=()
    for entry in "$@"; do
        names+=("${entry%%|*}")
        commands+=("${entry#*|}")
    done
    for _ in $(seq 1 "$runs"); do
        for i in "${!names[@]}"; do
            eval "measure \"$work/figures-$i\" ${commands[$i]}"
        done
    done
    for i in "${!names[@]}"; do
        local file="$work/figures-$i"
        printf "%-28s median %5s s CPU (%s), %7s KiB peak\n" "${names[$i]}" \
            "$(median 1 "$file")" "$(cut -d' ' -f1 "$file" | paste -sd' ')" "$(median 2 "$file")"
        rm -f "$file"
    done
    echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
}

quiet="--no-config --really-quiet --ao=null --keepaspect=no"
compare "null output" \
    "quorix-mci|\"$mci\" --video none --audio none \"open $clip alias v\" \"play v\"" \
    "mpv --vo=null|mpv $quiet --vo=null \"$clip\""

if [ -n "${PLAY_COST_XVFB:-}" ]; then
    # The device draws as the presenter does on this machine (plain X11 images on a software
    # renderer); mpv's own choice here is its SDL output, its GPU output refusing llvmpipe.
    compare "native window on Xvfb, the output each chooses" \
        "quorix-mci|\"$mci\" --video native --audio none \"open $clip alias v\" \"play v\"" \
        "mpv --vo=x11|mpv $quiet --vo=x11 \"$clip\"" \
        "mpv (own choice)|mpv $quiet \"$clip\""
    compare "native window on Xvfb, the GPU output through EGL" \
        "quorix-mci gpu|\"$mci\" --video gpu --audio none \"open $clip alias v\" \"play v\"" \
        "mpv --vo=gpu|mpv $quiet --vo=gpu --gpu-context=x11egl \"$clip\""
fi
