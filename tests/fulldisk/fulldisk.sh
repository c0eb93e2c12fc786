#!/usr/bin/env bash
# Runs the full-disk test with a real 64 KiB tmpfs as its temporary folder, mounted in a private
# mount namespace that nothing outside sees. Needs root (or user namespaces); elsewhere it is
# skipped, saying why.
set -u
dir=$(mktemp -d)
trap 'rmdir "$dir"' EXIT
for unshare in "unshare -m" "unshare -r -m"; do
    if $unshare mount -t tmpfs -o size=64k none "$dir" 2>/dev/null; then
        $unshare sh -c 'mount -t tmpfs -o size=64k none "$1" && TMPDIR=$1 "$2"' sh "$dir" "$1"
        exit
    fi
done
echo "SKIP: no private mount namespace with a tmpfs can be made here (needs root)"
exit 77
