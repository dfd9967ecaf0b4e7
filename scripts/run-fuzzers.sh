#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a short fixed time, seeded with
# the data builder's output. LIRROWEN_FUZZ_SECONDS sets the time per target (default 20).
# Paths are absolute: a fuzzer may change its working directory (the game reads its files
# from there), so crash inputs go to build/fuzz/artifacts/ by an absolute prefix too.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${LIRROWEN_FUZZ_SECONDS:-20}
build=$(pwd)/build/fuzz

CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DLIRROWEN_FUZZ=ON -DLIRROWEN_TESTS=OFF -DLIRROWEN_BENCH=OFF -DLIRROWEN_WERROR=ON
# Each fuzzer with the folder of its seeds.
fuzzers=(archive_fuzz:archive wave_fuzz:wave epack_fuzz:epack image_fuzz:image xfile_fuzz:xfile
  mappack_fuzz:mappack save_fuzz:save script_fuzz:script)
cmake --build "$build" -j "$(nproc)" --target lirrowen-fuzz-seeds "${fuzzers[@]%%:*}"

seeds="$build/seeds"
rm -rf "$seeds"
"$build/tests/fuzz/lirrowen-fuzz-seeds" demo "$seeds"

run() {
  local target=$1 seed=$2
  local corpus="$build/corpus/$target"
  local options=(-max_len=65536)
  # An event text is at most 24,000 bytes (one selector byte before it); its fuzzer plays
  # hundreds of frames an input and knows the script's tokens.
  if [[ $target == script_fuzz ]]; then
    options=(-max_len=24001 -timeout=60 -dict="$(pwd)/tests/fuzz/script.dict")
  fi
  mkdir -p "$corpus" "$build/artifacts"
  echo "fuzzing $target for $seconds s"
  "$build/tests/fuzz/$target" -max_total_time="$seconds" "${options[@]}" \
    -artifact_prefix="$build/artifacts/$target-" -print_final_stats=1 "$corpus" "$seeds/$seed" \
    2>&1 | tail -n 3
}

for fuzzer in "${fuzzers[@]}"; do
  run "${fuzzer%%:*}" "${fuzzer##*:}"
done
