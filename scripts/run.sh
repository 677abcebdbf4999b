#!/usr/bin/env bash
# Sets everything up, builds, installs into install/ inside the checkout and
# starts the installed editor on the sample bridge, as a user of the installed
# program meets it: settings in ~/.config/trusswick, the undo journal in
# ~/.local/state/trusswick, the template, samples and help texts in
# install/share/trusswick.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTRUSSWICK_BENCH=OFF \
      -DCMAKE_INSTALL_PREFIX="$PWD/install" >/dev/null
cmake --build build --target TRV424 Rondix012 trusswick_man_pages
cmake --install build >/dev/null
exec install/bin/TRV424 install/share/trusswick/sample.brg
