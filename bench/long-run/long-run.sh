#!/usr/bin/env bash
# Long run: play-all with loop on three 2-second clips for a while (default 30 minutes) under
# Xvfb, sampling the presenter's resident memory, open files and threads. Not a test: run it by
# hand and write the figures down.
#
#   bench/long-run/long-run.sh [QUORIX] [SECONDS] [SAMPLE_SECONDS]
set -euo pipefail

quorix=${1:-build/src/app/quorix}
duration=${2:-1800}
every=${3:-30}
quorix=$(realpath "$quorix")

work=$(mktemp -d)
trap 'kill "${pid:-}" "${xvfb:-}" 2>/dev/null || true; rm -rf "$work"' EXIT
disc="$work/run/quorix"
mkdir -p "$disc"

colours=(red green blue)
for i in 1 2 3; do
    ffmpeg -loglevel error -f lavfi -i "color=c=${colours[$((i - 1))]}:s=320x240:r=25:d=2" \
        -f lavfi -i "sine=frequency=$((300 * i)):duration=2" -c:v mpeg1video -b:v 600k \
        -c:a mp2 -f mpeg "$disc/clip$i.mpg"
done
printf '[settings]\r\nmenumode=0\r\nloopmode=1\r\n[cliplist]\r\nclip00=One\r\nclip01=Two\r\nclip02=Three\r\n[filelist]\r\nOne=clip1.mpg\r\nTwo=clip2.mpg\r\nThree=clip3.mpg\r\n' \
    > "$disc/quorix.ini"

display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
sleep 1

cd "$work/run"
DISPLAY=$display "$quorix" >/dev/null 2>&1 &
pid=$!

sample() {
    local rss threads fds
    rss=$(awk '/^VmRSS/ {print $2}' "/proc/$pid/status")
    threads=$(awk '/^Threads/ {print $2}' "/proc/$pid/status")
    fds=$(ls "/proc/$pid/fd" | wc -l)
    printf '%6d s  rss %7d KiB  threads %3d  files %3d\n' "$1" "$rss" "$threads" "$fds"
}

echo "long run: $duration s, sampled every $every s"
elapsed=0
while [ "$elapsed" -lt "$duration" ]; do
    sleep "$every"
    elapsed=$((elapsed + every))
    if ! kill -0 "$pid" 2>/dev/null; then
        wait "$pid" && status=0 || status=$?
        echo "the presenter ended by itself after about $elapsed s with status $status"
        exit 1
    fi
    sample "$elapsed"
done

# Esc during a clip leaves playback (no menu, no logo: the program ends on the next tick).
DISPLAY=$display xdotool search --name Quorix windowactivate --sync key Escape >/dev/null 2>&1 ||
    DISPLAY=$display xdotool key Escape
for _ in $(seq 1 10); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 1
done
if kill -0 "$pid" 2>/dev/null; then
    echo "the presenter did not end after Esc"
    exit 1
fi
wait "$pid" && status=0 || status=$?
echo "ended with status $status"
