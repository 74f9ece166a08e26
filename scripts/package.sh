#!/bin/bash
# Makes the Windows downloads, with the programs of both builds (i686 and x86_64), in build/dist/:
#   VigilarkSetup-<version>.exe, the installer (made with NSIS from package/vigilark.nsi), which
#   installs the x86_64 programs on 64-bit Windows and the i686 ones elsewhere, and
#   Vigilark-<version>-portable.zip, both sets to run from any folder (a folder each).
# The same script is also made for NSIS's amd64 target, in build/win64/dist/: wine64 runs that
# one, and the tests install it (tests/package).
# The version is the one in resources/version.h.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup-debian.sh
scripts/build.sh win32 win64
cmake --build --preset win32 --target dist
cmake --build --preset win64 --target dist
for file in build/dist/VigilarkSetup-*.exe build/dist/Vigilark-*-portable.zip; do
    echo "$(pwd)/$file: $(stat -c %s "$file") bytes"
done
