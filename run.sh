#!/usr/bin/env bash
# Builds the game and its demo data set, then starts the game on it in the player's own folder
# (scripts/start-game.sh), where the saves are kept apart from the build tree.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/install-deps.sh

cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build/release --target lirrowen lirrowen_demo_data

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "Lirrowen opens a window, but this session has no display (DISPLAY and WAYLAND_DISPLAY are unset)." >&2
  echo "Start it from a desktop session, or on a virtual display (which usually has no sound" >&2
  echo "device either): SDL_AUDIODRIVER=dummy xvfb-run -a ./run.sh" >&2
  exit 1
fi

exec ./scripts/start-game.sh build/release
