#!/usr/bin/env bash
# Builds the fuzz targets with clang into the folder given (default: build-fuzz
# beside this folder) and runs each one on its seed corpus plus a bounded number
# of generated inputs. FUZZ_RUNS sets that number.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
out="${1:-$here/../build-fuzz}"
runs="${FUZZ_RUNS:-100000}"

if ! command -v clang++ >/dev/null 2>&1; then
  echo "clang++ not found: fuzz targets not built"
  exit 77
fi
generator=()
command -v ninja >/dev/null 2>&1 && generator=(-G Ninja)

# The main build's compiler settings must not leak into this one.
unset CC CXX CXXFLAGS LDFLAGS
cmake -S "$here" -B "$out" "${generator[@]}" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$out"

for target in document converter settings text; do
  # New inputs go to a scratch folder; the committed seeds are only read.
  scratch="$out/corpus-$target"
  rm -rf "$scratch"
  mkdir -p "$scratch"
  echo "== ${target}_fuzzer: $runs runs"
  "$out/${target}_fuzzer" -runs="$runs" -max_len=8192 -print_final_stats=1 \
    -artifact_prefix="$out/crash-$target-" "$scratch" "$here/corpus/$target"
done
