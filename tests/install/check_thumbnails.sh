#!/usr/bin/env bash
# The desktop's own thumbnail service (tumbler, on a private session bus) makes
# thumbnails of levels and bridges through the installed thumbnailer entry, in
# both sizes, with the tags it adds. Exit 77 (skipped, with the reason) when a
# tool for this is missing. Usage: check_thumbnails.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
if [ "${1:-}" = "--in-session" ]; then
  # Inside the private bus: the service is started by its first request.
  shift
  status=0
  for pair in "$@"; do
    file="${pair%%:*}" type="${pair#*:}"
    uri="file://$file"
    for flavor in normal large; do
      gdbus call --session --timeout 120 --dest org.freedesktop.thumbnails.Thumbnailer1 \
        --object-path /org/freedesktop/thumbnails/Thumbnailer1 \
        --method org.freedesktop.thumbnails.Thumbnailer1.Queue "['$uri']" "['$type']" "$flavor" default "uint32 0" >/dev/null
      thumb="$XDG_CACHE_HOME/thumbnails/$flavor/$(printf '%s' "$uri" | md5sum | cut -c1-32).png"
      for _ in $(seq 300); do
        [ -s "$thumb" ] && break
        sleep 0.1
      done
      if [ ! -s "$thumb" ]; then
        echo "FAIL: no $flavor thumbnail of $file"; status=1; continue
      fi
      [ "$(head -c 8 "$thumb" | od -An -tx1 | tr -d ' \n')" = "89504e470d0a1a0a" ] \
        || { echo "FAIL: the $flavor thumbnail of $file is no PNG"; status=1; }
      for tag in "Thumb::URI" "Thumb::MTime"; do
        grep -aq "$tag" "$thumb" || { echo "FAIL: the $flavor thumbnail of $file lacks $tag"; status=1; }
      done
    done
  done
  exit $status
fi

build="$1" src="$2"
for tool in dbus-run-session gdbus update-mime-database md5sum; do
  if ! command -v "$tool" >/dev/null; then
    echo "SKIPPED: $tool is missing (scripts/setup.sh installs it)"
    exit 77
  fi
done
if ! ls /usr/share/dbus-1/services/*.service 2>/dev/null | xargs -r grep -lq "Name=org.freedesktop.thumbnails.Thumbnailer1"; then
  echo "SKIPPED: tumbler is missing (scripts/setup.sh installs it)"
  exit 77
fi
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
root="$tmp/root" share="$tmp/root/usr/share"
cmake --install "$build" --prefix "$root/usr" >/dev/null
update-mime-database "$share/mime" >/dev/null 2>&1
mkdir -p "$tmp/home" "$tmp/cache" "$tmp/files"
cp "$src/data/sample.brg" "$tmp/files/b.brg"
cp "$src/data/sample.lvl" "$tmp/files/l.lvl"
# The installed tree first: its thumbnailer entry, MIME types and program.
env HOME="$tmp/home" XDG_CACHE_HOME="$tmp/cache" XDG_DATA_HOME="$tmp/home/.local/share" \
    XDG_CONFIG_HOME="$tmp/home/.config" XDG_DATA_DIRS="$share:/usr/share" PATH="$root/usr/bin:$PATH" \
    dbus-run-session -- bash "$0" --in-session \
      "$tmp/files/b.brg:application/x-trusswick-bridge" "$tmp/files/l.lvl:application/x-trusswick-level"
echo "tumbler made both thumbnails of a bridge and a level"
