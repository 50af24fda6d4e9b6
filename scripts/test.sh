#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test headless: once in a plain
# debug build, once under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
jobs=$(nproc)

"$root/scripts/install-deps.sh"
export QT_QPA_PLATFORM=offscreen

for variant in debug sanitize; do
  build="$root/build/$variant"
  flags=(-DCMAKE_BUILD_TYPE=Debug)
  [ "$variant" = sanitize ] && flags+=(-DKORVESSA_SANITIZE=ON)
  echo "== $variant build"
  cmake -S "$root" -B "$build" -G Ninja "${flags[@]}"
  cmake --build "$build" -j "$jobs"
  echo "== $variant tests"
  ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --test-dir "$build" --output-on-failure -j "$jobs" --timeout 300
done

# The optimised build that scripts/run.sh and scripts/bench.sh make must build too (its warnings differ).
echo "== release build"
cmake -S "$root" -B "$root/build/release" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKORVESSA_TESTS=OFF
cmake --build "$root/build/release" -j "$jobs"
