#!/usr/bin/env bash
# The thumbnail command as a file manager runs it, beside the desktop's own image
# thumbnailer on a PNG of the same picture: medians of 15 runs each (hyperfine)
# and peak memory (/usr/bin/time -v), all in one run. Figures only.
#   bench/thumbnail_bench.sh [TRV424] [DOCUMENT]
# Needs hyperfine and gdk-pixbuf-thumbnailer (package libgdk-pixbuf2.0-bin).
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
editor="${1:-$here/../build-rel/editor/app/TRV424}"
document="${2:-$here/../data/sample.brg}"
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
# Settings of a first start, wherever the user's own are.
export XDG_CONFIG_HOME="$tmp/config" XDG_STATE_HOME="$tmp/state"

"$editor" --export "$document" -o "$tmp/picture.png" >/dev/null
ours=("$editor" --thumbnail "$document" "$tmp/ours.png" 256)
theirs=(gdk-pixbuf-thumbnailer -s 256 "$tmp/picture.png" "$tmp/theirs.png")

hyperfine -N --warmup 3 --runs 15 --export-json "$tmp/times.json" "${ours[*]}" "${theirs[*]}" >/dev/null
peak() { /usr/bin/time -v "$@" 2>&1 >/dev/null | awk '/Maximum resident/ {print $6}'; }
ours_kb=$(peak "${ours[@]}")
theirs_kb=$(peak "${theirs[@]}")
python3 - "$tmp/times.json" "$ours_kb" "$theirs_kb" <<'EOF'
import json, sys
ours, theirs = json.load(open(sys.argv[1]))["results"]
a, b = ours["median"] * 1e3, theirs["median"] * 1e3
ka, kb = int(sys.argv[2]), int(sys.argv[3])
print(f"TRV424 --thumbnail          {a:7.1f} ms median  {ka / 1024:5.1f} MB peak")
print(f"gdk-pixbuf-thumbnailer      {b:7.1f} ms median  {kb / 1024:5.1f} MB peak")
print(f"ratio                       {a / b:7.2f} x time    {ka / kb:5.2f} x memory")
EOF
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
