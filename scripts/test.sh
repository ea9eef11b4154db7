#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the fuzz targets for a short while, the
# unit, scenario and device tests again under AddressSanitizer and UndefinedBehaviorSanitizer,
# and last the whole suite (unit, scenario, device, end-to-end, package), so the run ends with
# CTest's own summary. The fuzz targets and the sanitizer tests share one clang build
# (preset "fuzz", in build-fuzz): one sanitizer build instead of two.
set -euo pipefail
cd "$(dirname "$0")/.."

# On 2 cores the whole run takes about 15 minutes; the last line says where the time went.
timings=()
stage() {
    local name="$1" start=$SECONDS
    shift
    "$@"
    timings+=("$name $((SECONDS - start)) s")
}

build_default() {
    cmake --preset default
    cmake --build --preset default -j "$jobs"
}
build_sanitized() {
    cmake --preset fuzz
    cmake --build --preset sanitize -j "$jobs"
}

stage install bash scripts/install-deps.sh
jobs="$(nproc)"
stage build build_default
stage "sanitizer build" build_sanitized
stage fuzzing bash scripts/fuzz.sh 30
stage "sanitizer tests" ctest --preset sanitize -j "$jobs"
stage suite ctest --preset default -j "$jobs"

summary=$(printf '%s, ' "${timings[@]}")
echo "test.sh: ${summary%, }; ${SECONDS} s in all"
