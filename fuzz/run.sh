#!/usr/bin/env bash
# Runs a fuzzing campaign on one target: fuzz/run.sh TARGET [SECONDS] [JOBS]
# Builds the target with clang's libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer in build/fuzz, starts from the target's seed
# corpus and keeps what it finds in build/fuzz/corpus/TARGET. A crashing input
# is written as build/fuzz/crash-TARGET-*; add it to fuzz/corpus/TARGET once
# the fault is mended, so that every test run replays it.
set -euo pipefail
cd "$(dirname "$0")/.."
[ $# -ge 1 ] || { echo "usage: fuzz/run.sh TARGET [SECONDS] [JOBS]" >&2; exit 2; }
target=$1 seconds=${2:-60} jobs=${3:-1}
if ! command -v clang++ >/dev/null || ! dpkg-query -W libclang-rt-dev >/dev/null 2>&1; then
  SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends clang libclang-rt-dev
fi
./scripts/install-deps.sh
build=build/fuzz
export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1
CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DKV_SANITIZE=ON -DKV_FUZZ=ON -DKV_BUILD_TESTS=OFF -DKV_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" --target "fuzz_$target"
work="$build/corpus/$target"
mkdir -p "$work"
export QT_QPA_PLATFORM=offscreen KV_CONFIG_DIR="$build/config-$target"
export ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1
# Leaks of third-party libraries only (the font configuration caches).
export LSAN_OPTIONS=suppressions=$PWD/cmake/lsan.supp
"$build/fuzz/fuzz_$target" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=4096 \
  -jobs="$jobs" -workers="$jobs" -print_final_stats=1 \
  -artifact_prefix="$build/crash-$target-" "$work" "fuzz/corpus/$target"
