#!/usr/bin/env bash
# Builds the fuzz targets with clang, libFuzzer, ASan and UBSan (preset "fuzz", in build-fuzz),
# replays their seeds and kept inputs, then fuzzes each target for a while. Fails on any finding;
# the input that found it is kept as build-fuzz/findings/<target>-crash-... (or leak-, timeout-,
# oom-). Once the fault is fixed, copy that file into fuzz/regressions/<target>/.
#
#   scripts/fuzz.sh [SECONDS [TARGET...]]    SECONDS per target, 30 by default; all targets by
#                                             default (ini settings number mci scenario)
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${1:-30}"
if [ $# -gt 0 ]; then
    shift
fi
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    targets=(ini settings number mci scenario)
fi

build=build-fuzz
jobs="$(nproc)"

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$jobs"

# Every seed and kept input once, before any fuzzing.
ctest --preset fuzz

# Longest input each target is given: a settings file, a scenario or a command script fits in
# a few kilobytes; a number needs far less.
max_len() {
    case "$1" in
        number) echo 256 ;;
        mci) echo 2048 ;;
        *) echo 4096 ;;
    esac
}

export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1:symbolize=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"

mkdir -p "$build/findings"
failed=()
for target in "${targets[@]}"; do
    fuzzer="$build/fuzz/quorix-fuzz-$target"
    if [ ! -x "$fuzzer" ]; then
        echo "fuzz: no fuzz target named $target" >&2
        exit 2
    fi
    # New inputs go to a working corpus in the build folder; the seeds in the tree stay as they
    # are.
    work="$build/corpus/$target"
    log="$build/findings/$target.log"
    mkdir -p "$work"
    seeds=("fuzz/corpus/$target")
    if [ -d "fuzz/regressions/$target" ]; then
        seeds+=("fuzz/regressions/$target")
    fi
    echo "fuzz: $target for ${seconds}s"
    if "$fuzzer" -max_total_time="$seconds" -timeout=10 -max_len="$(max_len "$target")" \
        -dict="fuzz/dict/$target.dict" -artifact_prefix="$build/findings/$target-" \
        -print_final_stats=1 "$work" "${seeds[@]}" \
        >"$log" 2>&1; then
        grep -E '^#[0-9]+[[:space:]]+DONE' "$log" || tail -n 1 "$log"
    else
        echo "fuzz: $target found a fault; its log is $log" >&2
        grep -E -A 40 'ERROR|runtime error|fuzz target|deadly signal' "$log" | head -n 60 >&2 ||
            true
        failed+=("$target")
    fi
done

if [ ${#failed[@]} -gt 0 ]; then
    echo "fuzz: findings in ${failed[*]}; inputs under $build/findings/" >&2
    exit 1
fi
echo "fuzz: no findings"
