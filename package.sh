#!/usr/bin/env bash
# Installs what is missing, builds with Debian's hardening flags, and writes
# the Debian package dist/varnowick_<version>_<arch>.deb.
#   ./package.sh        then: sudo apt install ./dist/varnowick_*.deb
set -euo pipefail
cd "$(dirname "$0")"
source tools/packages.sh
tools/need_packages.sh "${BUILD_PACKAGES[@]}" "${PACKAGE_PACKAGES[@]}"

# Debian's compiler and linker flags (stack protector, fortified calls,
# read-only relocations, bind now); CMake does not read CPPFLAGS itself.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
CXXFLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
LDFLAGS="$(dpkg-buildflags --get LDFLAGS)"
export CXXFLAGS LDFLAGS

build="build-deb"
rm -rf "$build/_CPack_Packages"
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=None -DCMAKE_INSTALL_PREFIX=/usr \
    -DCMAKE_DISABLE_FIND_PACKAGE_GTest=ON >/dev/null
cmake --build "$build" -j"$(nproc)"
(cd "$build" && rm -f ./*.deb && cpack -G DEB >/dev/null)
mkdir -p dist
rm -f dist/varnowick_*.deb
mv "$build"/varnowick_*.deb dist/
ls dist/varnowick_*.deb
