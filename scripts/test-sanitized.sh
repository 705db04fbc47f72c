#!/usr/bin/env bash
# Builds the core, the stand-in site and their tests with AddressSanitizer and
# UndefinedBehaviorSanitizer and runs the tests; any finding fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DROOMDESK_SANITIZE=ON -DROOMDESK_GUI=OFF -DROOMDESK_BENCH=OFF
cmake --build build-sanitize
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir build-sanitize --output-on-failure --timeout 600 -j "$(nproc)"
