#!/usr/bin/env bash
# Installs what Torveld needs from Debian's packages. Safe to run again: it only calls
# apt-get when a package is missing.
set -euo pipefail

packages=(
    cmake ninja-build g++ pkg-config
    libgtest-dev googletest libbenchmark-dev nlohmann-json3-dev rapidjson-dev libcli11-dev
    libpugixml-dev pybind11-dev python3-dev help2man
    qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins libqt6svg6 libgl-dev
    fonts-wine fonts-dejavu-core
)
if [ "${1:-}" = "test" ]; then
    packages+=(clang libclang-rt-14-dev clang-format poppler-utils xvfb xauth dpkg-dev python3
        locales desktop-file-utils openbox xdotool appstream lintian)
fi

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done

if [ "${#missing[@]}" -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    apt_get="apt-get"
    [ "$(id -u)" -eq 0 ] || apt_get="sudo apt-get"
    $apt_get update
    DEBIAN_FRONTEND=noninteractive $apt_get install -y --no-install-recommends "${missing[@]}"
fi
