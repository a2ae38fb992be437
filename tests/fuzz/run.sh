#!/usr/bin/env bash
# Builds the fuzz targets with clang and libFuzzer and runs each for a while.
#   tests/fuzz/run.sh [SECONDS] [TARGET...]   (default 60 seconds, every target)
# Inputs found are kept in build-fuzz/corpus/<target>; a crash leaves its input
# in build-fuzz/crashes/. Prints executions and crashes per target.
set -uo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
root="$(cd "$here/../.." && pwd)"
seconds="${1:-60}"; shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(fuzz_settings fuzz_number fuzz_date)

packages=(clang-14 libclang-rt-14-dev qt6-base-dev cmake ninja-build)
missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""; [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq && DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
fi

build="$root/build-fuzz"
CXX=clang++-14 cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null || exit 1
cmake --build "$build" --target "${targets[@]}" || exit 1

mkdir -p "$build/crashes"
status=0
for target in "${targets[@]}"; do
  corpus="$build/corpus/$target"
  mkdir -p "$corpus"
  log="$build/$target.log"
  seeds=()
  [ -d "$here/seeds/$target" ] && seeds=("$here/seeds/$target")
  # -fork would use more cores than a shared machine has; one process per target.
  "$build/$target" "$corpus" "${seeds[@]}" -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10 \
    -artifact_prefix="$build/crashes/$target-" -print_final_stats=1 >"$log" 2>&1
  rc=$?
  execs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' | tail -1)
  crashes=$(ls "$build/crashes" 2>/dev/null | grep -c "^$target-" || true)
  echo "$target: ${execs:-?} executions in ${seconds}s, exit $rc, crash inputs kept: $crashes (log $log)"
  [ $rc -eq 0 ] || status=1
done
exit $status
