#!/usr/bin/env bash
# Builds the game and its demo data set, then starts the game on it.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/install-deps.sh

cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build/release --target lirrowen lirrowen_demo_data

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "Lirrowen opens a window, but this session has no display (DISPLAY and WAYLAND_DISPLAY are unset)." >&2
  echo "Start it from a desktop session, or on a virtual display: xvfb-run -a ./run.sh" >&2
  exit 1
fi

mkdir -p build/release/demo
cd build/release/demo
exec ../lirrowen
