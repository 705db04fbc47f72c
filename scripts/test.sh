#!/usr/bin/env bash
# Installs what is missing, builds roomdesk with its tests and runs them all.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build
ctest --test-dir build --output-on-failure --timeout 300 -j "$(nproc)"
