#!/usr/bin/env bash
# Builds what the Debian package holds, with the build flags Debian's own packages get from
# dpkg-buildflags (hardened: fortify, stack protector, relro, bindnow), in a build folder of
# its own, and runs CPack on it. The developer build in build/ is left as it is.
#
#   scripts/package.sh [BUILD_FOLDER]     (default build-deb)
set -euo pipefail
cd "$(dirname "$0")/.."
folder=${1:-build-deb}

flag() { DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get "$1"; }
cmake -S . -B "$folder" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_CXX_FLAGS="$(flag CXXFLAGS) $(flag CPPFLAGS)" \
    -DCMAKE_EXE_LINKER_FLAGS="$(flag LDFLAGS)" -DCMAKE_SHARED_LINKER_FLAGS="$(flag LDFLAGS)" \
    -DCMAKE_MODULE_LINKER_FLAGS="$(flag LDFLAGS)" >/dev/null
cmake --build "$folder" --parallel "$(nproc)" --target package-contents
rm -f "$folder"/*.deb
cpack -G DEB --config "$folder/CPackConfig.cmake" -B "$folder"
