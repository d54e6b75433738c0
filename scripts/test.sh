#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the whole suite on a normal build,
# then the tests labelled "asan" under AddressSanitizer+UndefinedBehaviorSanitizer and the
# tests labelled "threads" under ThreadSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
jobs=$(nproc)

# Names of the test programs carrying a label (each test is named after its program).
labelled_tests() {
  ctest --test-dir "$1" -N -L "$2" | sed -n 's/^ *Test *#[0-9]*: *//p'
}

bash scripts/build.sh default
ctest --test-dir build --output-on-failure -j "$jobs"

if [ "${RAVO_SKIP_SANITIZERS:-0}" != 1 ]; then
  # The sanitizer trees build only the test programs they run.
  bash scripts/build.sh asan --target ravo_runtime_data
  bash scripts/build.sh asan --target $(labelled_tests build-asan asan)
  ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --test-dir build-asan --output-on-failure -j "$jobs" -L asan

  bash scripts/build.sh tsan --target ravo_runtime_data
  bash scripts/build.sh tsan --target $(labelled_tests build-tsan threads)
  TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1 suppressions=$PWD/tests/support/tsan.supp" \
    ctest --test-dir build-tsan --output-on-failure -j "$jobs" -L threads
fi
