#!/usr/bin/env bash
# Installs every Debian package the project needs to build, run, test and benchmark.
# Safe to run again: it only calls apt-get when something is missing, and says nothing then.
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config clang libclang-rt-14-dev
    libsdl2-dev libx11-dev libglew-dev libgl1-mesa-dev libgl1-mesa-dri
    libopenal-dev libopenal1 libstb-dev fonts-dejavu-core libvorbis-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    xvfb xauth xfonts-base x11-utils xdotool libgif-dev sox vorbis-tools imagemagick python3
    nlohmann-json3-dev libsfml-dev
)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
fi
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
