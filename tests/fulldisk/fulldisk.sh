#!/usr/bin/env bash
# Runs the full-disk test on a real 64 KiB tmpfs, mounted in a private mount namespace so that
# nothing outside sees it. Needs root (or user namespaces); elsewhere it is skipped, saying why.
set -u
test=$1
dir=$(mktemp -d)
trap 'rmdir "$dir"' EXIT
for unshare in "unshare -m" "unshare -r -m"; do
    if $unshare mount -t tmpfs -o size=64k none "$dir" 2>/dev/null; then
        exec $unshare sh -c 'mount -t tmpfs -o size=64k none "$1" && FULL_DISK_DIR=$1 "$2"' \
            sh "$dir" "$test"
    fi
done
echo "SKIP: no private mount namespace with a tmpfs can be made here (needs root)"
exit 77
