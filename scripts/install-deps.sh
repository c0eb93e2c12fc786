#!/usr/bin/env bash
# Installs every Debian package that building, testing and playing the game need. This is the
# one place that lists them.
set -euo pipefail

packages=(
    # build, and the format check
    g++ cmake qt6-base-dev qt6-base-dev-tools libgl-dev clang-format git
    # run: the X11 platform plugin and the fonts the window is laid out for
    qt6-qpa-plugins fonts-dejavu-core fonts-dejavu-extra
    # the robot test: a real X server with a Russian keyboard, a light window manager, tools to
    # find, click and close windows, and Python with PIL to look at the screen
    xvfb xauth x11-xkb-utils openbox wmctrl xdotool x11-utils python3 python3-pil
    # scripts/bench.sh: clicks injected through the X server by the benchmark itself
    libxtst-dev
    # the install test: validators of the desktop entry and of the software-centre metadata
    desktop-file-utils appstream
    # scripts/screenshot.sh (with the X server and tools above): `import` takes the picture
    imagemagick
    # the fuzz build: clang with libFuzzer and the sanitizer runtimes
    clang libclang-rt-14-dev
)

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' \
        || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
