#!/usr/bin/env bash
# Installs the Debian packages a command needs, by group: the groups named as arguments, every
# group without one. This is the one place that lists them; the run-time list is read from
# data/runtime-packages, which the Debian package depends on too.
#   build    compile the game           run      play it (the run-time list)
#   test     README's test command      package  scripts/package.sh (the .deb and its checks)
#   bench    scripts/bench.sh           shot     scripts/screenshot.sh
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

group_build=(g++ cmake qt6-base-dev qt6-base-dev-tools libgl-dev)
mapfile -t group_run < <(grep -E '^[a-z0-9]' "$root/data/runtime-packages")
# a virtual X server with a Russian keyboard, a light window manager, and tools to find, click
# and close windows (scripts/xserver.sh and the robot)
xserver=(xvfb xauth x11-xkb-utils openbox wmctrl xdotool x11-utils)
group_test=(
    "${xserver[@]}"
    # the format check and the size of the tests
    clang-format git
    # the robot is a Python program
    python3
    # the robot finds the game's controls by name: AT-SPI on a session bus of its own, from Python
    dbus at-spi2-core python3-pyatspi
    # the fuzz build: clang with libFuzzer and the sanitizer runtimes
    clang libclang-rt-14-dev
)
# CPack's DEB generator reads the program with file and dpkg-shlibdeps; lintian checks the result
group_package=(dpkg-dev file lintian)
# clicks injected through the X server by the benchmark itself
group_bench=("${xserver[@]}" libxtst-dev)
# `import` takes the pictures; the game is played by name, as the robot plays it
group_shot=("${xserver[@]}" imagemagick python3 dbus at-spi2-core python3-pyatspi)

[ $# -gt 0 ] || set -- build run test package bench shot
packages=()
for group in "$@"; do
    declare -p "group_$group" >/dev/null 2>&1 || { echo "install-deps.sh: no group '$group'" >&2; exit 2; }
    declare -n list="group_$group"
    packages+=("${list[@]}")
done

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
