#!/usr/bin/env bash
# Installs every Debian package that building, testing and playing the game need. This is the
# one place that lists them.
set -euo pipefail

packages=(
    # build
    g++ cmake qt6-base-dev qt6-base-dev-tools libgl-dev
    # run: the X11 platform plugin and the fonts the window is laid out for
    qt6-qpa-plugins fonts-dejavu-core fonts-dejavu-extra
    # the robot test: a real X server with a Russian keyboard, a light window manager, tools to
    # find, click and close windows, and Python with PIL to look at the screen
    xvfb xauth x11-xkb-utils openbox wmctrl xdotool x11-utils python3 python3-pil
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
