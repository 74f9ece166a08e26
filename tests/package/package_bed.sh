#!/bin/bash
# The package tests' own Wine prefix: fresh for every ctest run, so the installer meets a
# machine as a user's would be; it shows its windows on the main test bed's display.
#
#   package_bed.sh start <dir> <main bed dir> <keeper> <setup.exe> <portable.zip> <folder>
#       a fresh bed (cmake/testbed.sh), and the zip unpacked into C:\<folder>
#   package_bed.sh run <dir> <exe> [args]    run a test program there (the ctest emulator)
#   package_bed.sh stop <dir>                stop the bed and remove its prefix
#
# Without the downloads (scripts/package.sh makes them) the tests are skipped, or fail when
# VIGILARK_REQUIRE_PACKAGE is set (scripts/test.sh, CI).
set -u
cmd=${1:?command}
dir=${2:?bed directory}
testbed="$(cd "$(dirname "$0")/../../cmake" && pwd)/testbed.sh"
mkdir -p "$dir"

case "$cmd" in
    start)
        main=${3:?main bed} keeper=${4:?keeper} setup=${5:?installer} zip=${6:?zip} folder=${7:?folder}
        rm -f "$dir/absent"
        if [ ! -f "$setup" ] || [ ! -f "$zip" ]; then
            echo "no package ($setup, $zip): scripts/package.sh makes it" | tee "$dir/absent"
            exit 0
        fi
        VIGILARK_TESTBED_DISPLAY=$(cat "$main/display") "$testbed" start "$dir" "$keeper" || exit 1
        unzip -q "$zip" -d "$dir/prefix/drive_c/$folder" || exit 1
        ;;
    run)
        shift 2
        if [ -f "$dir/absent" ]; then
            if [ -n "${VIGILARK_REQUIRE_PACKAGE:-}" ]; then
                echo "FAILED: $(cat "$dir/absent")"
                exit 1
            fi
            echo "[  SKIPPED ] $(cat "$dir/absent")"
            exit 0
        fi
        exec "$testbed" run "$dir" "$@"
        ;;
    stop)
        "$testbed" stop "$dir"
        rm -rf "$dir/prefix"
        ;;
    *) echo "usage: $0 start|run|stop <dir> ..." >&2; exit 2 ;;
esac
