#!/usr/bin/env bash
# Builds everything and runs every test, quickest and most telling first: the unit tests, the
# real backend's tests, the long soak of whole battles, the end-to-end tests in a real X window,
# then the unit and backend tests again under AddressSanitizer and UndefinedBehaviorSanitizer,
# then a short run of each fuzzer. Each stage starts with a banner; the first one that fails is
# named and ends the run.
set -euo pipefail
cd "$(dirname "$0")"
jobs=$(nproc)

stage() {
  local name=$1
  shift
  echo "==== test.sh: stage $name"
  if ! "$@"; then
    echo "test.sh: stage $name failed" >&2
    exit 1
  fi
}

build() {
  cmake -S . -B "build/$1" -G Ninja "${@:2}" -DLIRROWEN_WERROR=ON && cmake --build "build/$1" -j "$jobs"
}

# A label with no tests means a broken configuration (no xvfb-run, say), not a pass.
tests() {
  ctest --test-dir "build/$1" --output-on-failure --no-tests=error "${@:2}"
}

stage deps ./scripts/install-deps.sh
stage release-build build release -DCMAKE_BUILD_TYPE=RelWithDebInfo
stage unit tests release -j "$jobs" -L unit
stage platform tests release -j "$jobs" -L platform
stage soak tests release -j "$jobs" -L soak
stage e2e tests release -L e2e
stage sanitize-build build sanitize -DCMAKE_BUILD_TYPE=Debug -DLIRROWEN_SANITIZE=ON \
  -DLIRROWEN_BENCH=OFF
stage sanitize-tests tests sanitize -j "$jobs" -LE 'e2e|soak'
stage fuzz ./scripts/run-fuzzers.sh
echo "test.sh: every stage passed"
