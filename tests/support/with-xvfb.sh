#!/usr/bin/env bash
# with-xvfb.sh COMMAND [ARGUMENT...]: runs it on an Xvfb of its own, on the first free display,
# which Xvfb picks itself, so that tests run in parallel never race for a display number.
set -euo pipefail
work=$(mktemp -d)
mkfifo "$work/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$work/display" \
    >"$work/xvfb.log" 2>&1 &
xvfb=$!
test=
# Stopped from outside, the command and the server go too: the command runs in the background so
# that the signal is taken at once, not when the command ends.
trap 'kill "$xvfb" $test 2>/dev/null; wait; rm -rf "$work"' EXIT
if ! read -r -t 30 number <"$work/display"; then
    echo "with-xvfb: Xvfb reported no display" >&2
    cat "$work/xvfb.log" >&2
    exit 1
fi
DISPLAY=":$number" "$@" &
test=$!
wait "$test"
