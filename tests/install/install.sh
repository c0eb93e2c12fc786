#!/usr/bin/env bash
# Installs the build into an empty prefix, checks that the program, the menu entry, the icons and
# the metadata land where desktops look for them and agree with each other, and runs the
# freedesktop and AppStream validators on the installed files.
set -uo pipefail

cmake=$1
build=$2
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

"$cmake" --install "$build" --prefix "$prefix" >"$prefix/install.log" 2>&1 \
    || { cat "$prefix/install.log"; fail "cmake --install failed"; }

id=org.example.popadaika
entry=$prefix/share/applications/$id.desktop
metainfo=$prefix/share/metainfo/$id.metainfo.xml
[ -x "$prefix/bin/popadaika" ] || fail "no bin/popadaika"
[ -s "$prefix/share/icons/hicolor/scalable/apps/$id.svg" ] || fail "no scalable icon"
for size in 16 22 24 32 48 64 128 256; do
    icon=$prefix/share/icons/hicolor/${size}x$size/apps/$id.png
    [ -s "$icon" ] || fail "no ${size}x$size icon"
    # A PNG's width and height are the big-endian words at bytes 16 and 20.
    read -r width height < <(od -An -j16 -N8 -tu1 "$icon" | awk '{print $3*256+$4, $7*256+$8}')
    [ "$width x $height" = "$size x $size" ] || fail "the ${size}x$size icon is ${width}x$height"
done

grep -qx "Icon=$id" "$entry" || fail "the entry does not name the icon $id"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" \
    || fail "the metadata does not name the entry"
# The installed program accepts the entry's command line and needs no display to answer.
read -r program options < <(sed -n 's/^Exec=//p' "$entry")
[ "$program" = popadaika ] || fail "the entry starts '$program'"
# shellcheck disable=SC2086 # the entry's options, one word each
version=$(env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM= "$prefix/bin/popadaika" $options --version 2>&1) \
    || fail "'popadaika $options --version' failed: $version"
grep -q "<release version=\"${version#popadaika }\"" "$metainfo" \
    || fail "the metadata has no release for '$version'"

desktop-file-validate "$entry" || fail "desktop-file-validate"
appstreamcli validate --no-net "$metainfo" || fail "appstreamcli validate"
