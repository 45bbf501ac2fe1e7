#!/usr/bin/env bash
# Builds the program and every test, then runs the tests headless.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/install-deps.sh
BUILD_DIR=${KV_BUILD_DIR:-build/test}
# Let compiler caches hit across checkouts in other folders (CI clones afresh).
export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1
SANITIZE=${KV_SANITIZE:-ON}
cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKV_SANITIZE="$SANITIZE" >/dev/null
cmake --build "$BUILD_DIR"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$BUILD_DIR" --output-on-failure -j "$(nproc)"
