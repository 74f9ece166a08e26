#!/bin/bash
# Test bed for the Windows tests under wine64: one Xvfb display, one fresh Wine
# prefix and one persistent wineserver for a whole ctest run.
#
#   testbed.sh start <dir> [keeper]    fresh prefix, display and server (ctest fixture setup);
#                                      keeper: a Windows program that keeps the desktop alive
#   testbed.sh stop <dir>              stop the server and the display (fixture cleanup)
#   testbed.sh run <dir> <exe> [args]  run one Windows program in the bed (the ctest emulator)
#   testbed.sh env <dir>               print the environment of the bed (for a shell: eval)
#
# VIGILARK_TESTBED_DPI=<n> (for start) gives the prefix n dots per inch instead of 96: every
# dialog unit then changes, as it does on a machine with other fonts.
# VIGILARK_TESTBED_DISPLAY=:<n> (for start) shows the bed on a display that is already there
# (another bed's) instead of starting an Xvfb of its own.
#
# Nothing Wine starts may keep a pipe of ctest open, or ctest waits for it forever:
# every long-lived process is started here with its output in <dir>/testbed.log.
set -u
cmd=${1:?command}
dir=${2:?test bed directory}
mkdir -p "$dir"
dir=$(cd "$dir" && pwd)
log="$dir/testbed.log"
WINE64=${WINE64:-/usr/lib/wine/wine64}
WINESERVER=${WINESERVER:-$(command -v wineserver || echo /usr/lib/wine/wineserver64)}

bed_env() {
    export WINEPREFIX="$dir/prefix"
    # Wine links the user's Documents and Desktop into $HOME: each bed has a home of its own, so
    # that no file a test leaves there meets another bed or the machine's own user. Without the
    # two folders both would be $HOME itself, and the desktop's shell would open the reports
    # the tests write to Documents while they are being replaced.
    export HOME="$dir/home"
    mkdir -p "$HOME/Documents" "$HOME/Desktop"
    export WINEDEBUG=-all
    export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d"
    export WINEARCH=win64
    if [ -f "$dir/display" ]; then export DISPLAY=$(cat "$dir/display"); fi
}

stop_bed() {
    bed_env
    if [ -d "$WINEPREFIX" ]; then
        timeout 20 "$WINESERVER" -k >/dev/null 2>&1
        timeout 20 "$WINESERVER" -w >/dev/null 2>&1
    fi
    if [ -f "$dir/xvfb.pid" ]; then
        kill "$(cat "$dir/xvfb.pid")" 2>/dev/null
        rm -f "$dir/xvfb.pid"
    fi
    rm -f "$dir/display" "$dir/ready"
}

start_display() {
    local n
    for n in $(seq 91 160); do
        [ -e "/tmp/.X$n-lock" ] && continue
        [ -e "/tmp/.X11-unix/X$n" ] && continue
        setsid Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp </dev/null >>"$log" 2>&1 &
        echo $! >"$dir/xvfb.pid"
        for _ in $(seq 1 50); do
            [ -e "/tmp/.X11-unix/X$n" ] && { echo ":$n" >"$dir/display"; return 0; }
            sleep 0.1
        done
        kill "$(cat "$dir/xvfb.pid")" 2>/dev/null
    done
    echo "testbed: no free X display" >&2
    return 1
}

# Registry settings the tests rely on: a virtual desktop (window frames, no 2 s
# delay on every hide), no audio device, the screen's DPI, and Windows 98 for one program.
write_settings() {
    local dpi=${VIGILARK_TESTBED_DPI:-96}
    [[ $dpi =~ ^[0-9]+$ ]] || { echo "testbed: VIGILARK_TESTBED_DPI must be a number" >&2; return 1; }
    cat >"$dir/testbed.reg" <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\Explorer]
"Desktop"="Default"

[HKEY_CURRENT_USER\Software\Wine\Explorer\Desktops]
"Default"="1024x768"

[HKEY_CURRENT_USER\Software\Wine\Drivers]
"Audio"=""

[HKEY_CURRENT_USER\Software\Wine\AppDefaults\win98_tests.exe]
"Version"="win98"
REG
    printf '\n[HKEY_CURRENT_USER\\Control Panel\\Desktop]\n"LogPixels"=dword:%08x\n' "$dpi" >>"$dir/testbed.reg"
    "$WINE64" regedit /s "$(winepath_of "$dir/testbed.reg")" </dev/null >>"$log" 2>&1
}

# The desktop process of this bed's prefix (another bed may run one too).
own_desktop_runs() {
    local pid
    for pid in $(pgrep -f 'explorer.exe /desktop'); do
        tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX" && return 0
    done
    return 1
}

winepath_of() { echo "Z:${1//\//\\}"; }

start_bed() {
    stop_bed
    rm -rf "$dir/prefix" "$dir/display" "$dir/home"
    : >"$log"
    if [ -n "${VIGILARK_TESTBED_DISPLAY:-}" ]; then
        echo "$VIGILARK_TESTBED_DISPLAY" >"$dir/display"
    else
        start_display || return 1
    fi
    bed_env
    timeout 120 "$WINE64" wineboot -i </dev/null >>"$log" 2>&1
    timeout 60 "$WINESERVER" -w >>"$log" 2>&1
    write_settings || return 1
    # A fresh prefix can leave its services half started; one more session start settles them.
    timeout 20 "$WINESERVER" -k >>"$log" 2>&1
    timeout 60 "$WINESERVER" -w >>"$log" 2>&1
    "$WINESERVER" -p </dev/null >>"$log" 2>&1
    timeout 120 "$WINE64" wineboot </dev/null >>"$log" 2>&1
    if [ -n "$keeper" ]; then
        setsid "$WINE64" "$keeper" </dev/null >>"$log" 2>&1 &
        # The desktop process must be up before any test starts, or it would be started by
        # the test and hold the test's output pipe open.
        for _ in $(seq 1 100); do
            own_desktop_runs && break
            sleep 0.1
        done
    fi
    # Whatever Wine starts on demand for the first program of a session keeps that program's
    # output open: a first program whose output goes to the log takes that part, not a test.
    timeout 60 "$WINE64" cmd /c exit </dev/null >>"$log" 2>&1
    touch "$dir/ready"
    echo "testbed ready: WINEPREFIX=$WINEPREFIX DISPLAY=$DISPLAY DPI=${VIGILARK_TESTBED_DPI:-96}"
}

case "$cmd" in
    start) keeper=${3:-}; start_bed ;;
    stop) stop_bed; echo "testbed stopped" ;;
    env) bed_env; echo "export WINEPREFIX='$WINEPREFIX' WINEDEBUG=-all WINEDLLOVERRIDES='$WINEDLLOVERRIDES' DISPLAY='${DISPLAY:-}'" ;;
    run)
        shift 2
        bed_env
        if [ ! -f "$dir/ready" ]; then echo "testbed: not started (run: testbed.sh start $dir)" >&2; exit 2; fi
        # Wine very rarely fails to start a program at all (no output, at once); that is
        # retried once and noted in the log. A program that printed anything is never rerun.
        out=$(mktemp)
        for attempt in 1 2; do
            "$WINE64" "$@" </dev/null 2>&1 | tee "$out"
            status=${PIPESTATUS[0]}
            [ $status -eq 0 ] || [ -s "$out" ] || [ $attempt -eq 2 ] && break
            echo "testbed: $* gave no output and status $status; starting it again" >>"$log"
        done
        rm -f "$out"
        exit $status
        ;;
    *) echo "usage: $0 start|stop|run|env <dir> ..." >&2; exit 2 ;;
esac
