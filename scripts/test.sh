#!/bin/bash
# Sets up the machine, builds both targets and runs every test under wine64 at 96 dots per
# inch, then every test that shows a window or reads the prefix again at 120, which changes
# every dialog unit as another font set would.
# The test bed (a fresh Wine prefix, an Xvfb display and a persistent wineserver) is
# made and removed by ctest itself (fixtures testbed_start and testbed_stop).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup-debian.sh
scripts/build.sh win32 win64
# The downloads, which the package tests install: here they must be there, not skipped.
scripts/package.sh
export VIGILARK_REQUIRE_PACKAGE=1
status=0
ctest --preset win64 "$@" || status=$?
# Pure logic and the installer do not depend on the screen: the second pass leaves them out.
VIGILARK_TESTBED_DPI=120 ctest --preset win64 -LE '^(unit|package)$' "$@" || status=$?
exit $status
