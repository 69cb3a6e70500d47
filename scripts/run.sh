#!/usr/bin/env bash
# Installs what is missing, builds TavrelAlarm.exe and starts it under Wine: on the desktop's
# display and sound when there is one, else on a virtual display with a screenshot to look at.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
source scripts/lib/packages.sh
source scripts/lib/wine-env.sh
ensure_packages "${BUILD_PACKAGES[@]}" "${RUN_PACKAGES[@]}"

cmake --preset windows >/dev/null
cmake --build --preset windows --target TavrelAlarm -j"$(nproc)"
app="$root/build/windows/TavrelAlarm.exe"
export WINEDEBUG=-all

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    export WINEPREFIX="${WINEPREFIX:-$root/build/windows/wineprefix}"
    prepare_prefix desktop
    exec wine "$app"
fi

export WINEPREFIX="$root/build/windows/wineprefix-virtual"
trap stop_wine_env EXIT
trap 'exit 130' INT TERM
start_xvfb
start_pulse "$root/build/windows/run"
prepare_prefix virtual
start_wineserver
setsid wine "$app" &
app_pid=$!
wait_for 200 sh -c 'xwininfo -root -tree | grep -q "Tavrel"' || true
sleep 2
shot="$root/build/windows/screenshot.png"
import -window root -crop 800x600+0+0 "$shot"
echo "TavrelAlarm.exe is running on the virtual display $DISPLAY (no display was found)."
echo "screenshot: $shot"
echo "Press Ctrl+C to stop it."
wait "$app_pid"
