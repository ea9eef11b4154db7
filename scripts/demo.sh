#!/usr/bin/env bash
# Installs what is missing, builds, and presents the sample disc.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake --preset default
cmake --build --preset default -j "$(nproc)" --target quorix

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "demo: no display to present on: run this from a desktop session, or set DISPLAY" >&2
    exit 2
fi
# Run from the media folder itself: a folder whose path holds "quorix" is taken as the media
# folder, which the checkout's own path may already do.
cd examples/disc/quorix
exec ../../../build/src/app/quorix
