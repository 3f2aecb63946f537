#!/usr/bin/env bash
# Builds Quarvel and starts it on this desktop.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh run
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUARVEL_TESTS=OFF >/dev/null
cmake --build build/release --target quarvel
exec build/release/quarvel
