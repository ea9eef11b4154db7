#!/usr/bin/env bash
# Runs a command on an X server of its own. Xvfb picks a free display itself and tells it through
# -displayfd, so parallel tests never race for a display number as `xvfb-run -a` does.
set -euo pipefail
coproc XVFB { exec Xvfb -displayfd 1 -nolisten tcp -screen 0 1024x768x24 2>/dev/null; }
xvfb_pid=$XVFB_PID
trap 'kill "$xvfb_pid" 2>/dev/null || true; wait "$xvfb_pid" 2>/dev/null || true' EXIT
if ! read -r -t 30 -u "${XVFB[0]}" display; then
    echo "with-xvfb: Xvfb did not start" >&2
    exit 1
fi
DISPLAY=":$display" "$@"
