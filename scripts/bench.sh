#!/usr/bin/env bash
# Measures TavrelAlarm.exe under Wine beside a bare Win32 window and fuzzes its rules for a
# bounded time; rewrites bench/RESULTS.md. Not part of the tests.
#   scripts/bench.sh [IDLE_SECONDS=60] [RUNS=7] [FUZZ_SECONDS=60]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
idle=${1:-60} runs=${2:-7} fuzz=${3:-60}
source scripts/lib/packages.sh
source scripts/lib/wine-env.sh
ensure_packages "${BUILD_PACKAGES[@]}" "${RUN_PACKAGES[@]}" "${TEST_PACKAGES[@]}" clang libclang-rt-14-dev

cmake --preset windows >/dev/null
cmake --build --preset windows --target TavrelAlarm bare_window tavrel_bench -j"$(nproc)"
out=$(mktemp)
trap 'rm -f "$out"' EXIT
tests/e2e/harness.sh build/windows/bench/tavrel_bench.exe build/windows/TavrelAlarm.exe \
    "$(windows_path build/windows/bench/bare_window.exe)" "$idle" "$runs" | tee "$out"
fuzz_lines=$(bench/fuzz/run.sh "$fuzz" "$root/build/fuzz" | grep -E '^fuzz_' || true)

{
    echo "# Benchmark results"
    echo
    echo "Written by \`scripts/bench.sh $idle $runs $fuzz\` on $(date -u '+%Y-%m-%d %H:%M UTC')."
    echo "Machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //'), $(free -g | awk '/Mem:/ {print $2}') GiB;"
    echo "$(uname -sr); $(wine --version) on a virtual X display, sound into a PulseAudio null sink."
    echo "Medians over $runs runs; the baseline is bench/bare_window.exe (one plain 243 × 154 window and"
    echo "a message loop), measured in the same run. CPU over $idle s; Wine reports working set but reads"
    echo "0 for private bytes."
    echo
    echo "| figure | TavrelAlarm.exe | bare window | goal | |"
    echo "|---|---|---|---|---|"
    grep '^RESULT|' "$out" | cut -d'|' -f2- | sed 's/^/| /; s/$/ |/'
    echo
    echo "## Fuzzing"
    echo
    if [ -n "$fuzz_lines" ]; then sed 's/^/- /' <<<"$fuzz_lines"; else echo "- not run"; fi
} >bench/RESULTS.md
cat bench/RESULTS.md
