#!/usr/bin/env bash
# Builds the libFuzzer targets with clang, AddressSanitizer and UndefinedBehaviorSanitizer, then
# runs one of them.
#   Usage: tools/fuzz.sh [--fresh] <target> [seconds, default 60] [extra libFuzzer arguments]
# Each target starts from seeds of its own kind, read but never written: the font fuzzer from the
# installed DejaVu fonts, the others from the corpora in KF_CORPORA_DIR (default
# <project>/../shared/corpora). Extra arguments are libFuzzer flags or more seed folders, e.g.
#   tools/fuzz.sh kf_json_parser_fuzzer 60 -max_len=4096
# New inputs that widen coverage collect in build/fuzz/corpus/<target>; --fresh empties it first.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
fresh=false
if [ "${1:-}" = --fresh ]; then
    fresh=true
    shift
fi
target=${1:?usage: tools/fuzz.sh [--fresh] <target> [seconds]}
seconds=${2:-60}
shift $(( $# < 2 ? $# : 2 ))

"$root/tools/install_dependencies.sh"
build="$root/build/fuzz"
CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DKF_SANITIZE=ON -DKF_BUILD_FUZZERS=ON -DKF_BUILD_TESTS=OFF -DKF_BUILD_BENCHMARKS=OFF >/dev/null
cmake --build "$build" --target "$target"

corpus="$build/corpus/$target"
if $fresh; then
    rm -rf "$corpus"
fi
mkdir -p "$corpus"

corpora=${KF_CORPORA_DIR:-$root/../shared/corpora}
case "$target" in
    kf_font_fuzzer) seeds=/usr/share/fonts/truetype/dejavu ;;
    kf_texture_decode_fuzzer) seeds=$corpora/png ;;
    kf_wav_reader_fuzzer) seeds=$corpora/wav ;;
    # The event table is JSON: well-formed documents carry the search past the parser sooner.
    kf_json_parser_fuzzer | kf_audio_event_table_fuzzer) seeds=$corpora/json ;;
    *) seeds="" ;;
esac
if [ -n "$seeds" ] && [ ! -d "$seeds" ]; then
    echo "No seed folder $seeds: $target starts from its working corpus alone."
    seeds=""
fi

export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
# The working corpus comes first: libFuzzer writes new inputs only into the first folder.
"$build/fuzz/$target" "$corpus" ${seeds:+"$seeds"} -max_total_time="$seconds" -rss_limit_mb=2048 \
    -timeout=10 "$@"
