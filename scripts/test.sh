#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the whole suite on a normal build,
# then the tests labelled "asan" under AddressSanitizer+UndefinedBehaviorSanitizer and the
# tests labelled "threads" under ThreadSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
jobs=$(nproc)

bash scripts/build.sh default
ctest --test-dir build --output-on-failure -j "$jobs"

if [ "${RAVO_SKIP_SANITIZERS:-0}" != 1 ]; then
  bash scripts/build.sh asan
  ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --test-dir build-asan --output-on-failure -j "$jobs" -L asan

  bash scripts/build.sh tsan
  TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1 suppressions=$PWD/tests/support/tsan.supp" \
    ctest --test-dir build-tsan --output-on-failure -j "$jobs" -L threads
fi
