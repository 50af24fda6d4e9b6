#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test headless: in a plain debug
# build, under AddressSanitizer and UndefinedBehaviorSanitizer, and optimised, each
# with warnings as errors. Then builds as a packager would (every default), installs
# into a staging folder and checks what was installed.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
jobs=$(nproc)

"$root/scripts/install-deps.sh" tests
export QT_QPA_PLATFORM=offscreen

for variant in debug sanitize release; do
  build="$root/build/$variant"
  flags=(-DKORVESSA_TESTS=ON -DKORVESSA_WERROR=ON)
  case "$variant" in
    debug) flags+=(-DCMAKE_BUILD_TYPE=Debug) ;;
    sanitize) flags+=(-DCMAKE_BUILD_TYPE=Debug -DKORVESSA_SANITIZE=ON) ;;
    release) flags+=(-DCMAKE_BUILD_TYPE=Release) ;;  # its warnings differ (-O3)
  esac
  echo "== $variant build"
  cmake -S "$root" -B "$build" -G Ninja "${flags[@]}"
  cmake --build "$build" -j "$jobs"
  echo "== $variant tests"
  ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --test-dir "$build" --output-on-failure -j "$jobs" --timeout 300
done

# A packager's build: nothing but the build type and the prefix, so warnings are not
# errors and the tests are built; a fresh cache keeps every other option at its default.
echo "== package build"
build="$root/build/package"
stage="$build/stage"
cmake --fresh -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr
cmake --build "$build" -j "$jobs"
rm -rf "$stage" "$build/compose"
DESTDIR="$stage" cmake --install "$build"

echo "== package checks"
# Installed programs carry no library search path: their libraries are the system's.
cmake -DREADELF="$(command -v readelf)" -DFOLDER="$stage" -DNONE=ON -P "$root/cmake/CheckLibraryPaths.cmake"
desktop-file-validate "$stage"/usr/share/applications/*.desktop
appstreamcli validate --no-net "$stage"/usr/share/metainfo/*.metainfo.xml
# What a distribution's catalogue is built with: it fails when a program lacks an icon it can list.
appstreamcli compose --no-net --prefix=/usr --origin=korvessa --result-root="$build/compose" "$stage"
echo "== all builds and checks passed"
