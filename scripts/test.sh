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
# clang-tidy (.clang-tidy) on the C++ files this branch changes against main, or
# on those of the last commit on main itself: the whole tree takes over ten
# minutes on two cores, a branch's files a few.
base=$(git merge-base HEAD "${TIDY_BASE:-main}" 2>/dev/null || true)
if [[ -z "$base" || "$base" == "$(git rev-parse HEAD)" ]]; then
  base=$(git rev-parse HEAD~1)
fi
git diff -z --name-only --diff-filter=d "$base" -- '*.cpp' ':!fuzz' ':!bench' |
  xargs -0 -r -n 4 -P 2 clang-tidy -p build-check --quiet
cd build-check
ctest --output-on-failure -j2 --timeout 600
