#!/usr/bin/env bash
# Manual check: drags a bridge from a real file manager (pcmanfm) onto the
# converter's text box under Xvfb, presses Convert and looks for the .bgb.
# Needs: apt-get install xvfb xdotool pcmanfm. Usage: check_real_drop.sh PATH/TO/Rondix012
set -euo pipefail
converter="$(realpath "${1:?path to Rondix012}")"
here="$(cd "$(dirname "$0")/.." && pwd)"
work="$(mktemp -d)"
export DISPLAY=:77
pids=()
cleanup() { for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done; rm -rf "$work"; }
trap cleanup EXIT

cp "$here/fuzz/corpus/converter/small.brg" "$work/Drag.BRG"
Xvfb "$DISPLAY" -screen 0 1280x800x24 >/dev/null 2>&1 & pids+=($!)
sleep 2
# A fresh settings folder keeps pcmanfm in its default icon view.
XDG_CONFIG_HOME="$work/.config" pcmanfm --no-desktop "$work" >/dev/null 2>&1 & pids+=($!)
"$converter" >/dev/null 2>&1 & pids+=($!)
sleep 4
win="$(xdotool search --name 'Zarvines brg to bgb Converter' | head -1)"
xdotool windowmove "$win" 650 100
sleep 1

# Without a window manager pcmanfm sits at 0,0; its first icon is at about 206,97.
xdotool mousemove 206 97 sleep 0.3 mousedown 1
for x in 220 300 500 700 880 900; do xdotool mousemove "$x" 121 sleep 0.15; done
xdotool mousemove 902 122 sleep 0.5 mouseup 1 sleep 1
# Convert is at the right end of the window's lower row.
read -r width < <(xdotool getwindowgeometry --shell "$win" | sed -n 's/^WIDTH=//p')
xdotool mousemove $((650 + width - 50)) 149 click 1 sleep 1

if [[ -f "$work/Drag.bgb" ]]; then
  echo "drop from the file manager worked: $(stat -c %s "$work/Drag.bgb") bytes written"
else
  echo "no .bgb written: the drop did not arrive"
  exit 1
fi
