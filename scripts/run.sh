#!/usr/bin/env bash
# Installs what is missing, builds, and starts one program: Pellmora (default) or exercices.
#   scripts/run.sh            starts Pellmora
#   scripts/run.sh exercices  starts exercices
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
program=${1:-Pellmora}
case "$program" in Pellmora|exercices) ;; *) echo "usage: $0 [Pellmora|exercices]" >&2; exit 2 ;; esac

"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$root/build/release" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKORVESSA_TESTS=OFF -DKORVESSA_WERROR=ON
cmake --build "$root/build/release" --target "$program"
exec "$root/build/release/programs/$program"
