#!/usr/bin/env bash
# The long run: 24 hours of wall clock, one alarm an hour, in one run of the program under
# Wine; every alarm must ring once and pass, and the program must not grow. Not part of CI.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
source scripts/lib/packages.sh
ensure_packages "${BUILD_PACKAGES[@]}" "${RUN_PACKAGES[@]}" "${TEST_PACKAGES[@]}"
cmake --preset windows >/dev/null
cmake --build --preset windows --target TavrelAlarm tavrel_e2e -j"$(nproc)"
TAVREL_SOAK_HOURS=${TAVREL_SOAK_HOURS:-24} tests/e2e/harness.sh build/windows/tests/e2e/tavrel_e2e.exe \
    build/windows/TavrelAlarm.exe --gtest_filter='Soak.*'
