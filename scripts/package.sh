#!/usr/bin/env bash
# Builds the Debian package quillon_8.0_amd64.deb in the project folder and
# checks it with lintian, desktop-file-validate and appstreamcli.
#   scripts/package.sh            build and check
#   scripts/package.sh --no-check build only
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

"$here/scripts/install-packages.sh" dpkg-dev fakeroot lintian desktop-file-utils appstream

"$here/scripts/setup.sh" build-package Release -DQUILLON_BUILD_TESTS=OFF -DQUILLON_BUILD_BENCH=OFF
(cd "$here/build-package" && cpack -G DEB >/dev/null)
deb="$here/quillon_8.0_amd64.deb"
mv "$here/build-package/quillon_8.0_amd64.deb" "$deb"
echo "Built $deb"

if [ "${1:-}" = "--no-check" ]; then exit 0; fi
desktop-file-validate "$here/packaging/org.quillon.Quillon.desktop"
appstreamcli validate --no-net "$here/packaging/org.quillon.Quillon.metainfo.xml"
# Errors fail the build; warnings are shown.
lintian --fail-on error "$deb"
echo "Package checks passed"
