#!/usr/bin/env bash
# Installs the Debian packages QUILLON needs to build, run and test, then
# configures and builds it. Usage: scripts/setup.sh BUILD_DIR BUILD_TYPE [cmake options...]
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build_dir="$1"; shift
build_type="$1"; shift

packages=(g++ cmake ninja-build qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite libqt6sql6-psql postgresql libsqlite3-dev libpq-dev libgl-dev
          poppler-utils fonts-liberation xvfb xauth dpkg-dev)

"$here/scripts/install-packages.sh" "${packages[@]}"

cmake -S "$here" -B "$here/$build_dir" -G Ninja -DCMAKE_BUILD_TYPE="$build_type" "$@" >/dev/null
cmake --build "$here/$build_dir"
