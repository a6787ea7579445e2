#!/usr/bin/env bash
# Builds the libFuzzer targets with clang, AddressSanitizer and UndefinedBehaviorSanitizer, then
# runs one of them.  Usage: tools/fuzz.sh <target> [seconds, default 60] [extra libFuzzer arguments]
# Extra arguments are libFuzzer flags or seed folders that are read but never written, for example
#   tools/fuzz.sh kf_json_parser_fuzzer 60 ../shared/corpora/json
# New inputs that widen coverage collect in build/fuzz/corpus/<target>.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
target=${1:?usage: tools/fuzz.sh <target> [seconds]}
seconds=${2:-60}
shift $(( $# < 2 ? $# : 2 ))

"$root/tools/install_dependencies.sh"
build="$root/build/fuzz"
CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DKF_SANITIZE=ON -DKF_BUILD_FUZZERS=ON -DKF_BUILD_TESTS=OFF -DKF_BUILD_BENCHMARKS=OFF >/dev/null
cmake --build "$build" --target "$target"

corpus="$build/corpus/$target"
mkdir -p "$corpus"
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
"$build/fuzz/$target" "$corpus" -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10 "$@"
