#!/usr/bin/env bash
# Installs what is missing, builds, and starts the suite: the windows where there is a display,
# the headless console otherwise. Extra arguments go to the program.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)" --target mvsmall
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  exec ./build/src/mvsmall "$@"
else
  exec ./build/src/mvsmall --headless "$@"
fi
