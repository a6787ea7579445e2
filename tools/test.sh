#!/usr/bin/env bash
# Installs what the project needs, builds it with AddressSanitizer and UndefinedBehaviorSanitizer,
# and runs every test. Tests that need a display run under their own Xvfb with Mesa's software
# renderer unless DISPLAY is already set.  Extra arguments go to ctest (for example -L display).
# KF_BUILD_DIR chooses another build folder; KF_BUILD_TARGETS builds only the named targets.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/install_dependencies.sh"

build="${KF_BUILD_DIR:-$root/build/test}"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKF_SANITIZE=ON >/dev/null
cmake --build "$build" ${KF_BUILD_TARGETS:+--target $KF_BUILD_TARGETS}

if [ -z "${DISPLAY:-}" ]; then
    displayFile=$(mktemp)
    # Without -noreset the server resets whenever its last client leaves and drops connections
    # made meanwhile: a test that closes and reopens its window, or starts as another one ends,
    # would then find no display.
    Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp -noreset 3>"$displayFile" 2>/dev/null &
    xvfbPid=$!
    trap 'kill $xvfbPid 2>/dev/null; rm -f "$displayFile"' EXIT
    for _ in $(seq 100); do
        [ -s "$displayFile" ] && break
        sleep 0.1
    done
    export DISPLAY=":$(head -n 1 "$displayFile")"
fi
export LIBGL_ALWAYS_SOFTWARE=1
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:strict_string_checks=1
export LSAN_OPTIONS="suppressions=$root/tests/leak_suppressions.txt:print_suppressions=0"
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

corpora=$(realpath -m "${KF_CORPORA_DIR:-$root/../shared/corpora}")
if [ ! -d "$corpora" ]; then
    echo "No public test corpora at $corpora: the tests that read them are skipped;" \
        "set KF_CORPORA_DIR to the folder that holds them to run them too."
fi

cd "$build"
ctest --output-on-failure --parallel "$(nproc)" "$@"
