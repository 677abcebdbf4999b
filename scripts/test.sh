#!/usr/bin/env bash
# Sets everything up, builds with AddressSanitizer and UndefinedBehaviorSanitizer,
# and runs every test (the fuzz targets included, for a bounded number of inputs).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
# Compiler cache keys relative to the checkout, so another clone reuses the objects.
export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1
# Every source file in the house style (.clang-format).
git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run -Werror --style=file
cmake -S . -B build-check -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTRUSSWICK_SANITIZE=ON -DTRUSSWICK_BENCH=OFF \
      -DTRUSSWICK_WERROR=ON
cmake --build build-check
cd build-check
ctest --output-on-failure -j2 --timeout 600
