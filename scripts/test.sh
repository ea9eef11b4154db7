#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the fuzz targets for a short while, the
# unit, scenario and device tests again under AddressSanitizer and UndefinedBehaviorSanitizer,
# and last the whole suite (unit, scenario, device, end-to-end, package), so the run ends with
# CTest's own summary.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
jobs="$(nproc)"

cmake --preset default
cmake --build --preset default -j "$jobs"

bash scripts/fuzz.sh 30

cmake --preset asan
cmake --build --preset asan -j "$jobs"
ctest --preset asan -j "$jobs"

ctest --preset default -j "$jobs"
