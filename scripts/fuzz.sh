#!/bin/sh
# Builds the fuzz targets with clang in build/fuzz and runs them for a fixed time.
# Usage: scripts/fuzz.sh [seconds]   (default 60). Exits non-zero when the fuzzer finds a fault;
# the failing input is left in build/fuzz/artifacts/.
# VORLIX_BUILD_PREFIX (default "build/", as in scripts/test.sh) moves the build to ${prefix}fuzz, so that
# developers sharing the tree do not build into each other's folder.
set -eu
seconds=${1:-60}
root=$(cd "$(dirname "$0")/.." && pwd)
prefix=${VORLIX_BUILD_PREFIX:-build/}
case $prefix in
/*) ;;
*) prefix="$root/$prefix" ;;
esac
build="${prefix}fuzz"

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DVORLIX_FUZZ=ON -DVORLIX_SANITIZE=ON -DVORLIX_BENCH=OFF >/dev/null
cmake --build "$build" -j2 --target menufile_fuzz hostile_files_fuzz

# New inputs go to scratch corpora; the seed corpora in the repository are only read. The menu reader gets
# the time asked for, the checks of hostile icon sources and shortcuts half as much again.
mkdir -p "$build/corpus" "$build/hostile_corpus" "$build/artifacts"
"$build/tests/fuzz/menufile_fuzz" -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10 \
  -print_final_stats=1 -artifact_prefix="$build/artifacts/" "$build/corpus" "$root/tests/fuzz/corpus"
exec "$build/tests/fuzz/hostile_files_fuzz" -max_total_time="$(( (seconds + 1) / 2 ))" -rss_limit_mb=2048 \
  -timeout=10 -print_final_stats=1 -artifact_prefix="$build/artifacts/" "$build/hostile_corpus" \
  "$root/tests/fuzz/hostile_corpus"
