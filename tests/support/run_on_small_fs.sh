#!/usr/bin/env bash
# Runs a test program with a small, real file system (tmpfs) mounted at a fresh
# folder whose path is in TRV_SMALL_FS, so that disk-full behaviour is tried on
# a disk that really fills up. The mount lives in a private mount namespace: no
# root is needed and nothing outside the test sees it. Exit 77 (skipped, with
# the reason) where neither user namespaces nor root are available.
# Usage: run_on_small_fs.sh SIZE PROGRAM [ARGS...]
set -uo pipefail
size="$1"
shift
mnt="$(mktemp -d)"
trap 'rmdir "$mnt" 2>/dev/null' EXIT
export TRV_SMALL_FS="$mnt"
inner='mount -t tmpfs -o "size=$0" tmpfs "$TRV_SMALL_FS" && exec "$@"'
if unshare --user --map-root-user --mount true 2>/dev/null; then
  unshare --user --map-root-user --mount sh -c "$inner" "$size" "$@"
elif [ "$(id -u)" -eq 0 ] && unshare --mount true 2>/dev/null; then
  unshare --mount sh -c "$inner" "$size" "$@"
else
  echo "SKIPPED: no user namespaces and not root, so no small file system can be mounted"
  exit 77
fi
