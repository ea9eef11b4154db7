#!/usr/bin/env bash
# Leak check of the presenter: a copy of the sample disc under an Xvfb of its own, driven with
# xdotool through start-up, the intro clip, the menu, Down and Enter for a second clip, back in
# the menu Esc, the closing logo and the end. Memory that nothing points to any more at that
# immediate end is reported; the check fails when there is some that the suppressions do not
# excuse (they name libraries' own leaks only; see lsan.supp and valgrind.supp).
#
#   fuzz/leaks/leak-check.sh [BUILD_DIR]             a sanitizer build (QUORIX_SANITIZE=ON;
#                                                    build-asan by default): LeakSanitizer, run
#                                                    before the _Exit by ExitLeakCheck.cpp
#   fuzz/leaks/leak-check.sh --valgrind [BUILD_DIR]  a normal build (build by default): valgrind's
#                                                    leak check, which also runs at _Exit; slow
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
tool=lsan
if [ "${1:-}" = --valgrind ]; then
    tool=valgrind
    shift
fi

if [ "$tool" = lsan ]; then
    build=$(cd "${1:-$root/build-asan}" && pwd)
    cmake --build "$build" --target quorix quorix_exit_leak_check
    quorix="$build/src/app/quorix"
    # The shim goes after the sanitizer runtime, which must come first.
    runtime=$(ldd "$quorix" | awk '/libasan\.so/ { print $3 }')
    if [ -z "$runtime" ]; then
        echo "leak-check: $quorix is not a sanitizer build" >&2
        exit 2
    fi
    run=(env LD_PRELOAD="$runtime $build/fuzz/libquorix_exit_leak_check.so"
        ASAN_OPTIONS="detect_leaks=1:verify_asan_link_order=0"
        LSAN_OPTIONS="suppressions=$root/fuzz/leaks/lsan.supp:print_suppressions=1"
        "$quorix")
    patience=240 # half seconds for each step
else
    build=$(cd "${1:-$root/build}" && pwd)
    cmake --build "$build" --target quorix
    quorix="$build/src/app/quorix"
    # Definitely lost blocks only: what is still reachable at an immediate end is not lost. Forked
    # children (libraries that start helpers) are not checked; code unloaded between clips keeps
    # its names.
    run=(valgrind --leak-check=full --show-leak-kinds=definite --errors-for-leak-kinds=definite
        --num-callers=40 --child-silent-after-fork=yes --keep-debuginfo=yes
        --suppressions="$root/fuzz/leaks/valgrind.supp" --error-exitcode=23 "$quorix")
    patience=1200
fi

work=$(mktemp -d)
xvfb=""
presenter=""
cleanup() {
    [ -n "$presenter" ] && kill "$presenter" 2>/dev/null || true
    [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

cp -r "$root/examples/disc/quorix" "$work/quorix"

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb=$!
for _ in $(seq 100); do
    [ -s "$work/display" ] && break
    sleep 0.1
done
[ -s "$work/display" ] || { echo "leak-check: Xvfb did not start" >&2; exit 2; }
export DISPLAY=":$(head -n 1 "$work/display")"

log="$build/leak-check-$tool.log"
(cd "$work" && exec "${run[@]}") >"$log" 2>&1 &
presenter=$!

# What the screen shows, from one pixel near the top left corner: a clip fills the whole window
# with its ground colour there, the menu shows the frame picture.
showing_clip() {
    local hex
    hex=$(import -window root -crop 1x1+60+60 -depth 8 txt:- 2>/dev/null |
        grep -o '#[0-9A-F]\{6\}' | head -n 1)
    [ -n "$hex" ] || return 1
    local r=$((16#${hex:1:2})) g=$((16#${hex:3:2})) b=$((16#${hex:5:2}))
    # The sample clips' grounds: red, green, blue, yellow.
    local ground
    for ground in "216 24 24" "20 154 42" "28 60 216" "240 200 20"; do
        set -- $ground
        if [ $((r > $1 - 40 && r < $1 + 40 && g > $2 - 40 && g < $2 + 40 &&
            b > $3 - 40 && b < $3 + 40)) -eq 1 ]; then
            return 0
        fi
    done
    return 1
}
wait_for() { # description, then a command that holds once the state is reached
    local description=$1
    shift
    for _ in $(seq "$patience"); do
        if "$@"; then
            echo "leak-check: $description"
            return 0
        fi
        kill -0 "$presenter" 2>/dev/null || break
        sleep 0.5
    done
    echo "leak-check: waited in vain for $description; the output is in $log" >&2
    exit 1
}
not() { ! "$@"; }
ended() { ! kill -0 "$presenter" 2>/dev/null; }

wait_for "the intro" showing_clip
wait_for "the menu after the intro" not showing_clip
sleep 1
xdotool key --delay 100 Down Return
wait_for "the chosen clip" showing_clip
wait_for "the menu after the clip" not showing_clip
sleep 1
xdotool key Escape # the logo, then the end
wait_for "the end" ended

status=0
wait "$presenter" || status=$?
presenter=""
if grep -q -E 'ERROR: LeakSanitizer|definitely lost in' "$log"; then
    grep -E -A 30 'Direct leak|Indirect leak|definitely lost in' "$log" | head -n 80 >&2
    echo "leak-check: leaks found (status $status); the full report is in $log" >&2
    exit 1
fi
if [ "$status" -ne 0 ]; then
    echo "leak-check: the presenter ended with status $status; its output is in $log" >&2
    exit 1
fi
echo "leak-check: no leaks; the report is in $log"
