#!/usr/bin/env bash
# Builds Quarvel and runs every test headless: once as built, once under AddressSanitizer and
# UndefinedBehaviorSanitizer, and the logic tests (where worker threads meet the user-interface
# thread) under ThreadSanitizer. Screenshots of the real windows land in build/*/test-artifacts.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh test

run_suite() {
  local dir=$1
  shift
  cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
  cmake --build "$dir"
  (cd "$dir" && ctest --output-on-failure --timeout 600)
}

echo "== tests"
run_suite build/test
echo "== tests under AddressSanitizer and UndefinedBehaviorSanitizer"
ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 run_suite build/sanitize -DQUARVEL_SANITIZE=ON
echo "== logic tests under ThreadSanitizer"
TSAN_OPTIONS=halt_on_error=1 run_suite build/tsan -DQUARVEL_TSAN=ON -DQUARVEL_QT_HOST=OFF
