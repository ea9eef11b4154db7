#!/usr/bin/env bash
# Time and peak memory of `quorix --check` on settings files far beyond any real disc's, against
# the same disc with a settings file of ordinary size:
# - small: the real head alone (settings and a one-entry catalogue);
# - huge:  the head, then ten million sections of eleven bytes each (about 110 MB);
# - dense: the head with 1.2 MB of one-letter lines inside [cliplist], before its one title: the
#          worst case for lookups, which walk the text.
#
#   bench/settings/huge-settings.sh BUILD_DIR [RUNS]
#
# Then, under an Xvfb of its own, the presenter on the small and the huge disc: milliseconds from
# spawning it to its first visible window (it reads its settings before showing the window).
#
# Needs GNU time and ffmpeg (for the one clip of the disc), Xvfb and xdotool.
set -euo pipefail
build=${1:?usage: huge-settings.sh BUILD_DIR [RUNS]}
runs=${2:-3}
quorix="$build/src/app/quorix"
[ -x "$quorix" ] || { echo "no quorix in $build" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

head_text=$'[settings]\r\nmenumode=1\r\n[filelist]\r\nOne=one.mpg\r\n[cliplist]\r\n'
for disc in small huge dense; do
    mkdir -p "$work/$disc/quorix"
    ffmpeg -nostdin -v error -y -f lavfi -i testsrc=size=160x120:rate=25:duration=1 \
        -c:v mpeg1video -f mpeg "$work/$disc/quorix/one.mpg"
    printf '%s' "$head_text" >"$work/$disc/quorix/quorix.ini"
done
printf 'clip00=One\r\n' >>"$work/small/quorix/quorix.ini"
{
    printf 'clip00=One\r\n'
    awk 'BEGIN { for (i = 0; i < 10000000; i++) printf "[s%07d]\n", i }'
} >>"$work/huge/quorix/quorix.ini"
{
    awk 'BEGIN { for (i = 0; i < 600000; i++) print "x" }'
    printf 'clip00=One\r\n'
} >>"$work/dense/quorix/quorix.ini"
for disc in small huge dense; do
    echo "$disc: $(stat -c %s "$work/$disc/quorix/quorix.ini") bytes"
done
echo "load $(cut -d' ' -f1-3 /proc/loadavg)"

for disc in small huge dense; do
    for ((run = 1; run <= runs; run++)); do
        QT_QPA_PLATFORM=offscreen /usr/bin/time -f "%e %M" -o "$work/time" \
            "$quorix" --check "$work/$disc" >/dev/null 2>&1 || true
        # The last line: GNU time writes a line of its own before it when the status is not 0.
        tail -n 1 "$work/time" |
            awk -v disc="$disc" '{ printf "%-6s %6.2f s wall  %8d KiB peak\n", disc, $1, $2 }'
    done
done
echo "load $(cut -d' ' -f1-3 /proc/loadavg)"

# Milliseconds from spawning the presenter on a disc to its first visible window.
until_window() {
    local start end pid
    start=$(date +%s%N)
    "$quorix" "$1" >/dev/null 2>&1 &
    pid=$!
    for ((i = 0; i < 6000; i++)); do
        xdotool search --onlyvisible --pid "$pid" >/dev/null 2>&1 && break
        sleep 0.005
    done
    end=$(date +%s%N)
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    echo $(((end - start) / 1000000))
}
exec 3< <(Xvfb -displayfd 1 -screen 0 1024x768x24 -nolisten tcp 2>/dev/null & echo "$!")
read -r xvfb <&3
read -r display <&3
export DISPLAY=":$display"
trap 'kill "$xvfb"; rm -rf "$work"' EXIT
for disc in small huge; do
    printf '%-6s window after' "$disc"
    for ((run = 1; run <= runs; run++)); do
        printf ' %s' "$(until_window "$work/$disc")"
    done
    echo " ms"
done
