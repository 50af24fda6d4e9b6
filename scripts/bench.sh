#!/usr/bin/env bash
# Installs what is missing, builds optimised, and runs the benchmark (Pellmora against a bare Qt window).
#   scripts/bench.sh [runs]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$root/build/release" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKORVESSA_TESTS=OFF -DKORVESSA_WERROR=ON
cmake --build "$root/build/release" --target korvessa-bench
exec "$root/build/release/bench/korvessa-bench" "$@"
