#!/usr/bin/env bash
# Sets everything up, builds, and starts the editor on the bundled sample level.
# The editor works in run/ (its working folder): the template, the samples, the
# help files, its settings file and its undo journal live there.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTRUSSWICK_BENCH=OFF >/dev/null
cmake --build build --target TRV424 Rondix012
mkdir -p run
for f in data/*; do
  [ -e "run/$(basename "$f")" ] || cp "$f" run/
done
if [ ! -e run/Trv.ini ]; then
  # A first settings file that names the sample level, so the editor opens on it.
  {
    printf '%s\r\n' "$PWD/run/sample.lvl"
    printf ' 100  9  200  0  0  400  0 \r\n'
    printf ' 1  1  1  1  1  1  1 \r\n'
    printf ' 0  0  9000  12000  0  0 \r\n'
    printf 'Colors: Back Water Point Fixpoint Selected Line Rail Train Land Grid1 Grid2 Grid3\r\n'
    for c in 4737096 8334380 10526880 255 65535 65280 16777215 5806168 7303023 3158064 5789784 0; do
      printf ' %s \r\n' "$c"
    done
  } > run/Trv.ini
fi
cd run
exec ../build/editor/shell/TRV424
