#!/usr/bin/env bash
# Sets everything up, builds, and starts the converter.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target Rondix012
exec build/converter/Rondix012
