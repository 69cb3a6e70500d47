# Starting and stopping what the program needs under Wine on a headless Linux machine: a
# virtual X display, a private PulseAudio daemon with a null sink, and a prepared Wine prefix.
# Everything started here is recorded by process id and stopped by stop_wine_env. Each runs
# in a session of its own, so a Ctrl+C (sent to the whole terminal group) reaches only the
# script, which then stops them in order: the Wine processes through their server first.

WINE_ENV_PIDS=()

# Waits up to $1 tenths of a second for the command after it to succeed.
wait_for() {
    local tenths=$1; shift
    local i
    for ((i = 0; i < tenths; i++)); do
        "$@" >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    return 1
}

# Xvfb on the first free display number from 90 on; exports DISPLAY.
start_xvfb() {
    local n
    for ((n = 90; n < 190; n++)); do
        [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] || break
    done
    setsid Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    WINE_ENV_PIDS+=($!)
    export DISPLAY=":$n"
    wait_for 100 xdpyinfo -display "$DISPLAY" || { echo "Xvfb did not start on $DISPLAY" >&2; return 1; }
}

# A PulseAudio daemon of our own in $1 with a null sink named "tavrel"; its monitor records
# whatever the program plays.
start_pulse() {
    export XDG_RUNTIME_DIR="$1/runtime"
    mkdir -p "$XDG_RUNTIME_DIR"
    chmod 700 "$XDG_RUNTIME_DIR"
    HOME="$1" setsid pulseaudio -n --daemonize=no --exit-idle-time=-1 --disallow-exit \
        --load="module-null-sink sink_name=tavrel" --load=module-native-protocol-unix \
        >"$1/pulseaudio.log" 2>&1 &
    WINE_ENV_PIDS+=($!)
    wait_for 100 pactl info || { echo "PulseAudio did not start" >&2; cat "$1/pulseaudio.log" >&2; return 1; }
    pactl set-default-sink tavrel >/dev/null
}

# Records the null sink as 16-bit mono at 44.1 kHz into $1 until stopped.
start_recording() {
    setsid parec -d tavrel.monitor --format=s16le --rate=44100 --channels=1 --latency-msec=20 >"$1" &
    WINE_ENV_PIDS+=($!)
}

# Makes the Wine prefix $WINEPREFIX once and reuses it: a CJK font for the title bar and
# message boxes; with "virtual" or "test" as $1 a virtual desktop (window frames and
# activation without a window manager), and with "test" a stand-in browser that only writes
# down the address it is given.
prepare_prefix() {
    local kind=${1:-desktop}
    local stamp="$WINEPREFIX/.tavrel-prepared-$kind-2"
    [ -f "$stamp" ] && return 0
    mkdir -p "$WINEPREFIX"
    WINEDLLOVERRIDES="mscoree,mshtml=" wineboot -i >/dev/null 2>&1
    wineserver -w
    cat >"$WINEPREFIX/stand-in-browser.sh" <<'SH'
#!/bin/sh
printf '%s\n' "$1" >>"${TAVREL_URL_LOG_UNIX:-/dev/null}"
SH
    chmod +x "$WINEPREFIX/stand-in-browser.sh"
    local browser=${WINEPREFIX//\\/\\\\}/stand-in-browser.sh
    {
        printf 'Windows Registry Editor Version 5.00\n\n'
        if [ "$kind" != desktop ]; then
            printf '[HKEY_CURRENT_USER\\Software\\Wine\\Explorer]\n"Desktop"="Default"\n\n'
            printf '[HKEY_CURRENT_USER\\Software\\Wine\\Explorer\\Desktops]\n"Default"="800x600"\n\n'
        fi
        if [ "$kind" = test ]; then
            printf '[HKEY_CURRENT_USER\\Software\\Wine\\WineBrowser]\n"Browsers"="%s"\n\n' "$browser"
        fi
        # Wine's own UI faces have no Chinese glyphs; this one has both scripts.
        printf '[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\FontSubstitutes]\n'
        for face in Tahoma "MS Shell Dlg" "MS Shell Dlg 2" "Microsoft Sans Serif"; do
            printf '"%s"="WenQuanYi Zen Hei"\n' "$face"
        done
    } >"$WINEPREFIX/tavrel.reg"
    wine regedit /S "$WINEPREFIX/tavrel.reg" >/dev/null 2>&1
    wineserver -w
    touch "$stamp"
}

# wineserver in the foreground of a background job, so that it too is stopped by process id.
start_wineserver() {
    wineserver -k >/dev/null 2>&1 || true
    wineserver -w
    setsid wineserver -f -p >/dev/null 2>&1 &
    WINE_ENV_PIDS+=($!)
    WINE_ENV_SERVER=$!
}

stop_wine_env() {
    local pid i
    # Ends every Wine process of the prefix through its server, then the server itself.
    [ -n "${WINE_ENV_SERVER:-}" ] && timeout 15 wineserver -k >/dev/null 2>&1
    WINE_ENV_SERVER=
    for ((i = ${#WINE_ENV_PIDS[@]} - 1; i >= 0; i--)); do
        pid=${WINE_ENV_PIDS[i]}
        kill "$pid" 2>/dev/null || true
    done
    for pid in "${WINE_ENV_PIDS[@]}"; do
        for ((i = 0; i < 50; i++)); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
        kill -9 "$pid" 2>/dev/null || true
    done
    WINE_ENV_PIDS=()
}

# A Unix path as Wine's Z: drive shows it.
windows_path() { local p; p=$(realpath -m "$1"); printf 'Z:%s' "${p//\//\\}"; }
