#!/usr/bin/env bash
# Installs what the game needs, builds it and starts Gloamshot from the project folder
# (the game reads its content from data/ relative to the working directory).
# Without a display (no DISPLAY), the game plays its level through by itself under a private Xvfb
# instead, records it with its own GIF capture and says where the GIF is.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/install_dependencies.sh"

build="$root/build/release"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKF_BUILD_TESTS=OFF >/dev/null
cmake --build "$build"

cd "$root"
if [ -z "${DISPLAY:-}" ]; then
    exec python3 -B "$root/tools/gloamshot_driver/demo.py" "$build/gloamshot" \
        "$build/tools/gloamshot_shots/gloamshot_shots" "$root" "$build/demo"
fi
if [ -x "$build/gloamshot" ]; then
    exec "$build/gloamshot"
fi
echo "The framework is built, but the Gloamshot game itself is not written yet."
echo "Starting the framework example bouncing_orbs instead (Escape quits)."
exec "$build/examples/kf_example_bouncing_orbs"
