#!/usr/bin/env bash
# Installs what is missing, builds, and presents the sample disc.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake --preset default
cmake --build --preset default -j "$(nproc)" --target quorix

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "demo: no display: set DISPLAY (for example run under 'xvfb-run -a') to see the presenter" >&2
    exit 2
fi
cd examples/disc
exec ../../build/src/app/quorix
