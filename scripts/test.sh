#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the fuzz targets for a short while, the
# unit, scenario and device tests again under AddressSanitizer and UndefinedBehaviorSanitizer,
# then the arm64 build's unit, scenario, command and end-to-end tests under qemu, and last the
# whole suite (unit, scenario, device, end-to-end, package), so the run ends with CTest's own
# summary. The fuzz targets and the sanitizer tests share one clang build
# (preset "fuzz", in build-fuzz): one sanitizer build instead of two.
set -euo pipefail
cd "$(dirname "$0")/.."

# On 2 cores the whole run takes about 22 minutes, the arm64 stage about 6 of them; the last line
# says where the time went.
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

# The arm64 build (cross-built, its programs run through qemu): only what its tests run (the
# presenter, the scenario runner, the unit test programs), and those tests. A test program left out
# here shows as a failing test named ..._NOT_BUILT.
arm64_targets=quorix,quorix-replay,quorix_platform_tests,quorix_mci_tests,startup_tests,ui_tests
arm64_targets+=,quorix_video_tests,quorix_check_tests,quorix_author_tests,quorix_app_tests
arm64_targets+=,quorix_screensaver_tests,quorix_x11_screensaver_tests
test_arm64() {
    if ! wait "$arm64_install"; then
        cat "$arm64_install_log" >&2
        echo "test.sh: the arm64 packages could not be installed" >&2
        return 1
    fi
    bash scripts/build-arm64.sh --targets "$arm64_targets"
    ctest --preset arm64 -j "$jobs"
}

stage install bash scripts/install-deps.sh
jobs="$(nproc)"
# On a fresh machine the arm64 packages take minutes to fetch and unpack, mostly waiting on the
# network and the disk: they come meanwhile the native builds compile, and the arm64 stage waits
# for them.
arm64_install_log=$(mktemp)
trap 'rm -f "$arm64_install_log"' EXIT
bash scripts/build-arm64.sh --install-only >"$arm64_install_log" 2>&1 &
arm64_install=$!
stage build build_default
stage "sanitizer build" build_sanitized
stage fuzzing bash scripts/fuzz.sh 10
stage "sanitizer tests" ctest --preset sanitize -j "$jobs"
stage arm64 test_arm64
stage suite ctest --preset default -j "$jobs"

summary=$(printf '%s, ' "${timings[@]}")
echo "test.sh: ${summary%, }; ${SECONDS} s in all"
