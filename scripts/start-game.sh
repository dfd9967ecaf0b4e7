#!/usr/bin/env bash
# Starts a built game on its demo data from the player's own folder,
# ${XDG_DATA_HOME:-$HOME/.local/share}/lirrowen, which no build step writes or cleans: the game
# keeps its saves in the folder it runs in, so they stay there when the build tree is removed.
# The build's current demo data files are put there on every start.
#   scripts/start-game.sh BUILD_DIR    (BUILD_DIR holds lirrowen and demo/)
set -euo pipefail
build=$(cd "${1:?usage: start-game.sh BUILD_DIR}" && pwd)

# An unset, empty or relative XDG_DATA_HOME means the default.
base=${XDG_DATA_HOME:-}
case $base in
  /*) ;;
  *) base=${HOME:?neither XDG_DATA_HOME nor HOME is set}/.local/share ;;
esac
home=$base/lirrowen
mkdir -p "$home"

# Each file is replaced whole, so a game already running never reads half of a new one.
for f in data.dat mappack.dat epack.dat; do
  cp -f "$build/demo/$f" "$home/.$f.new"
  mv -f "$home/.$f.new" "$home/$f"
done

# Saves from the days the game ran inside the build tree move out, unless their slot is taken.
for f in "$build"/demo/save[0-4].dat; do
  [ -f "$f" ] || continue
  name=$(basename "$f")
  if [ -e "$home/$name" ]; then
    echo "start-game.sh: $f stays where it is: $home/$name is another save" >&2
  else
    mv "$f" "$home/$name"
  fi
done

echo "Lirrowen keeps its saves in $home" >&2
cd "$home"
exec "$build/lirrowen"
