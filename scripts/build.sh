#!/usr/bin/env bash
# Configures and builds one build tree: scripts/build.sh [default|asan|tsan] [cmake --build args...]
set -euo pipefail
cd "$(dirname "$0")/.."
flavour=${1:-default}
shift || true
case "$flavour" in
  default) dir=build; extra=() ;;
  asan) dir=build-asan; extra=(-DRAVO_SANITIZE=address -DRAVO_BUILD_BENCHMARKS=OFF) ;;
  tsan) dir=build-tsan; extra=(-DRAVO_SANITIZE=thread -DRAVO_BUILD_BENCHMARKS=OFF) ;;
  *) echo "unknown build flavour: $flavour" >&2; exit 2 ;;
esac
if [ ! -f "$dir/build.ninja" ]; then
  CCACHE_BASEDIR="$PWD" cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${extra[@]}" >/dev/null
fi
# Build trees in other folders (CI's fresh clone) reuse the compiler cache.
export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1
cmake --build "$dir" "$@"
