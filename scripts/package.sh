#!/usr/bin/env bash
# Builds the Debian package build/package/popadaika_<version>_<arch>.deb and prints its path: the
# game configured for /usr with the program in /usr/games, compiled with Debian's hardening flags
# (dpkg-buildflags), packed by CPack's DEB generator, then checked by lintian, which must find no
# error and no warning.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
scripts/install-deps.sh build run package >&2
build=build/package-build
out=build/package
umask 022
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=None -DBUILD_TESTING=OFF -DPOPADAIKA_DEBIAN_PACKAGE=ON \
    -DCMAKE_INSTALL_PREFIX=/usr -DCMAKE_INSTALL_BINDIR=games \
    -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)" \
    -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" >/dev/null
nice cmake --build "$build" -j2 >&2
rm -rf "$out"
(cd "$build" && cpack -B "$root/$out") >/dev/null
rm -rf "$out/_CPack_Packages"
deb=$(echo "$root/$out"/popadaika_*.deb)
lintian --display-info --fail-on error,warning "$deb" >&2
echo "$deb"
