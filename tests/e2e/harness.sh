#!/usr/bin/env bash
# Runs the end-to-end test driver under Wine against the real TavrelAlarm.exe, on a private
# X display, PulseAudio daemon and wineserver, all stopped again by process id at the end.
# Usage: harness.sh DRIVER.exe TavrelAlarm.exe [gtest arguments...]
set -euo pipefail
driver=$(realpath "$1") app=$(realpath "$2")
shift 2
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/scripts/lib/wine-env.sh"

build=$(dirname "$driver")
run="$build/e2e-run"
rm -rf "$run"
mkdir -p "$run/fixtures" "$run/screenshots"
export WINEPREFIX="$build/wineprefix" WINEDEBUG=-all LC_ALL=C.UTF-8

cleanup() {
    stop_wine_env
    # libfaketime leaves its shared memory behind when a process is killed.
    local f
    for f in /dev/shm/faketime_shm_* /dev/shm/sem.faketime_sem_*; do
        [ -e "$f" ] || continue
        kill -0 "${f##*_}" 2>/dev/null || rm -f "$f"
    done
}
trap cleanup EXIT

start_xvfb
start_pulse "$run"
prepare_prefix test
start_wineserver
start_recording "$run/sound.raw"
"$root/tests/e2e/make_fixtures.sh" "$run/fixtures"

# The program's wall clock: an offset to the real clock that a test may rewrite.
echo "+0" >"$run/clock-offset"
export TAVREL_APP=$(windows_path "$app")
export TAVREL_RUN=$(windows_path "$run")
export TAVREL_DEEP_RINGTONE=$(windows_path "$(find "$run/fixtures" -name '深处的铃声.mp3')")
export TAVREL_URL_LOG=$(windows_path "$run/urls.txt") TAVREL_URL_LOG_UNIX="$run/urls.txt"
libfaketime=$(find /usr/lib -name libfaketime.so.1 | head -n 1)
[ -n "$libfaketime" ] || { echo "libfaketime.so.1 not found" >&2; exit 1; }

# Only the test processes see the faked clock; wineserver and its timers keep real time.
set +e
LD_PRELOAD="$libfaketime" FAKETIME_TIMESTAMP_FILE="$run/clock-offset" FAKETIME_NO_CACHE=1 \
    FAKETIME_DONT_FAKE_MONOTONIC=1 timeout --kill-after=10 1200 wine "$driver" "$@"
status=$?
set -e
for shot in "$run"/screenshots/*.bmp; do
    [ -e "$shot" ] && convert "$shot" "${shot%.bmp}.png" && rm -f "$shot"
done
echo "screenshots: $run/screenshots"
exit $status
