#!/usr/bin/env bash
# Builds Torveld and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    echo "Torveld needs a graphical display and none was found (DISPLAY and WAYLAND_DISPLAY are unset); to run it without one: apt-get install xvfb && xvfb-run -a bash scripts/run.sh" >&2
    exit 1
fi

bash scripts/install-deps.sh

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$(nproc)" --target torveld
exec build/bin/torveld "$@"
