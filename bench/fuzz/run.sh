#!/usr/bin/env bash
# Builds the fuzz targets and runs each for a fixed time: run.sh NSECONDS OUTDIR
# Exits non-zero when a target finds a failure; its log and the crashing input stay in OUTDIR.
set -euo pipefail

if [[ $# -ne 2 || ! $1 =~ ^[1-9][0-9]*$ ]]; then
  echo "usage: $0 NSECONDS OUTDIR" >&2
  exit 2
fi
seconds=$1
out=$2
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
targets=(fuzz_canonical_integer fuzz_alarm_check)

mkdir -p "$out"
if ! { cmake -S "$here" -B "$out" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo &&
       cmake --build "$out" --parallel; } >"$out/build.log" 2>&1; then
  tail -n 40 "$out/build.log" >&2
  echo "build failed; see $out/build.log" >&2
  exit 1
fi

status=0
for target in "${targets[@]}"; do
  corpus="$out/corpus/$target"
  artifacts="$out/artifacts/$target/"
  log="$out/$target.log"
  mkdir -p "$corpus" "$artifacts"
  # libFuzzer stops itself after max_total_time; the outer timeout is for a target that hangs
  # in one input, which -timeout reports as a failure in its own right.
  rc=0
  timeout --kill-after=10 $((seconds + 60)) \
    "$out/$target" -max_total_time="$seconds" -timeout=20 -print_final_stats=1 \
      -artifact_prefix="$artifacts" "$corpus" >"$log" 2>&1 || rc=$?
  inputs=$(sed -n 's/^stat::number_of_executed_units: *\([0-9][0-9]*\).*/\1/p' "$log" | tail -n 1)
  if [[ $rc -eq 0 && -n $inputs ]]; then
    echo "$target: $inputs inputs in $seconds s, no failure"
  else
    status=1
    echo "$target: FAILED (exit $rc) after ${inputs:-?} inputs; see $log and $artifacts" >&2
    grep -m 1 -E 'ALARM MODEL VIOLATED|MISMATCH|ERROR:|runtime error' "$log" >&2 || true
  fi
done
exit $status
