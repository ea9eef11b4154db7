#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test. Ends with CTest's own summary.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake --preset default
cmake --build --preset default -j "$(nproc)"
ctest --preset default -j "$(nproc)"
