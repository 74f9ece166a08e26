#!/bin/bash
# Sets up the machine, builds the console and starts it under Wine.
# Without a DISPLAY it runs on a virtual Xvfb display, saves a screenshot and says where.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup-debian.sh
scripts/build.sh win64
root=$(pwd)
bin="$root/build/win64/bin"
export WINEDEBUG=-all WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d"

if [ -n "${DISPLAY:-}" ]; then
    export WINEPREFIX="${WINEPREFIX:-$HOME/.vigilark-wine}"
    exec /usr/lib/wine/wine64 "$bin/VigilarkEx.exe" "$@"
fi

bed="$root/build/win64/run-testbed"
cmake/testbed.sh start "$bed" >/dev/null
trap 'cmake/testbed.sh stop "$bed" >/dev/null' EXIT
eval "$(cmake/testbed.sh env "$bed")"
/usr/lib/wine/wine64 "$bin/VigilarkEx.exe" "$@" </dev/null >/dev/null 2>&1 &
sleep 6
shot="$root/build/win64/vigilark-console.png"
xwd -root -silent -display "$DISPLAY" | convert xwd:- "$shot"
echo "The console runs on the virtual display $DISPLAY; screenshot: $shot"
/usr/lib/wine/wine64 "$bin/VigilarkEx.exe" -Q </dev/null >/dev/null 2>&1 || true
/usr/lib/wine/wine64 "$bin/Vigilark.exe" -Q </dev/null >/dev/null 2>&1 || true
wait || true
