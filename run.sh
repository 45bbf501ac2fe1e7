#!/usr/bin/env bash
# Builds the program (Release) and starts it, on a sample survey when no file is named.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/install-deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DKV_BUILD_TESTS=OFF -DKV_BUILD_BENCH=OFF >/dev/null
cmake --build build/release --target kelmvev2er
args=("$@")
if [ ${#args[@]} -eq 0 ] && [ -f examples/wenner.k2d ]; then args=(examples/wenner.k2d); fi
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found: starting the program under a virtual X server (xvfb-run)."
  exec xvfb-run -a build/release/kelmvev2er "${args[@]}"
fi
exec build/release/kelmvev2er "${args[@]}"
