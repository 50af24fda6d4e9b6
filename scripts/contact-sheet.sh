#!/usr/bin/env bash
# Installs what is missing, builds, and writes every picture and every window as PNG files.
#   scripts/contact-sheet.sh [folder]   (default: build/contact-sheet)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$root/build/release" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKORVESSA_TESTS=OFF -DKORVESSA_WERROR=ON
cmake --build "$root/build/release" --target contact-sheet
folder=${1:-$root/build/contact-sheet}
rm -rf "$folder"
"$root/build/release/tools/contact-sheet" "$folder"
