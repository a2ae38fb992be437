#!/usr/bin/env bash
# Installs what is missing, builds QUILLON with its tests and runs every test.
#   scripts/test.sh             the ordinary build (warnings on)
#   scripts/test.sh --sanitize  the same suite under AddressSanitizer and UndefinedBehaviorSanitizer
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

build_dir=build
# Line tables are enough for the sanitizers' and a failed test's backtraces,
# and build and link the suite a tenth faster than full debug information.
options=(-DCMAKE_CXX_FLAGS_DEBUG=-g1)
if [ "${1:-}" = "--sanitize" ]; then
  build_dir=build-sanitize
  options+=(-DQUILLON_SANITIZE=ON -DQUILLON_BUILD_BENCH=OFF)
  export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
  export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
fi

"$here/scripts/setup.sh" "$build_dir" Debug "${options[@]}"
cd "$here/$build_dir"
ctest --output-on-failure -j2
