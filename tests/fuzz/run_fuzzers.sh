#!/usr/bin/env bash
# Builds the fuzzers with clang in their own folder and runs each for a few
# seconds over its seed corpus. Usage: run_fuzzers.sh SOURCE_DIR BUILD_DIR SECONDS [FUZZER]
set -euo pipefail
source_dir=$1 build_dir=$2 seconds=$3 only=${4:-}
if ! command -v clang++ >/dev/null; then
  echo "clang++ is missing (run scripts/bootstrap)" >&2
  exit 1
fi
# One configuration and build at a time: the fuzz tests run in parallel with each other.
mkdir -p "$build_dir"
exec 9>"$build_dir/.build.lock"
flock 9
# -O1 with line tables: a few seconds of fuzzing do not repay -O2 and full debug
# information in build time, and a crash still names its file and line.
# The tests and benchmarks stay out: the fuzzers need three libraries, no more.
generator=()
[ -f "$build_dir/CMakeCache.txt" ] || generator=(-G Ninja)
cmake -S "$source_dir" -B "$build_dir" "${generator[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -gline-tables-only" -DVANTOREL_FUZZ=ON -DVANTOREL_TESTS=OFF >/dev/null
cmake --build "$build_dir" --target plist_file_fuzzer hex_color_codec_fuzzer solver_fuzzer -j 2 >/dev/null
flock -u 9
for fuzzer in plist_file hex_color_codec solver; do
  [ -n "$only" ] && [ "$only" != "$fuzzer" ] && continue
  corpus=$source_dir/tests/fuzz/corpus/${fuzzer%%_file}
  [ "$fuzzer" = hex_color_codec ] && corpus=$source_dir/tests/fuzz/corpus/colour
  [ "$fuzzer" = solver ] && corpus=$source_dir/tests/fuzz/corpus/solver
  # New inputs go to a scratch folder; the seeds in the repository stay as they are.
  scratch=$(mktemp -d)
  trap 'rm -rf "$scratch"' EXIT
  "$build_dir/fuzz/${fuzzer}_fuzzer" -max_total_time="$seconds" -timeout=5 -rss_limit_mb=2048 \
    -artifact_prefix="$build_dir/fuzz/${fuzzer}-" "$scratch" "$corpus"
done
