#!/bin/bash
# Makes the Windows downloads from the 32-bit (i686) build, in build/dist/:
#   VigilarkSetup-<version>.exe, the installer (made with NSIS from package/vigilark.nsi), and
#   Vigilark-<version>-portable.zip, the same files to run from any folder.
# The same script is also made for NSIS's amd64 target around the 64-bit build, in
# build/win64/dist/: wine64 runs that one, and the tests install it (tests/package).
# The version is the one in resources/version.h.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup-debian.sh
scripts/build.sh win32
cmake --build --preset win32 --target dist
cmake --preset win64 >/dev/null
cmake --build --preset win64 --target dist
for file in build/dist/VigilarkSetup-*.exe build/dist/Vigilark-*-portable.zip; do
    echo "$(pwd)/$file: $(stat -c %s "$file") bytes"
done
