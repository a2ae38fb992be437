#!/usr/bin/env bash
# Installs what is missing, builds QUILLON and starts it.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

"$here/scripts/setup.sh" build-release Release -DQUILLON_BUILD_TESTS=OFF -DQUILLON_BUILD_BENCH=OFF

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "QUILLON is built (build-release/src/quillon) but no display is available to show its windows."
  echo "Start it from a graphical desktop session, or on a headless machine with: xvfb-run -a build-release/src/quillon"
  exit 1
fi
exec "$here/build-release/src/quillon"
