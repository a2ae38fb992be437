#!/usr/bin/env bash
# Builds the Debian package from a build folder, unpacks it into a scratch root
# and checks that an installed QUILLON finds everything it needs there.
# Usage: package_contents.sh BUILD_DIR
set -euo pipefail
build_dir="$1"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT

(cd "$build_dir" && cpack -G DEB -B "$scratch/out" >/dev/null)
deb="$scratch/out/quillon_8.0_amd64.deb"
[ -f "$deb" ] || { echo "no $deb"; ls "$scratch/out"; exit 1; }
dpkg-deb -x "$deb" "$scratch/root"
root="$scratch/root"

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
expect_file() { [ -f "$root/$1" ] || fail "missing $1"; }
expect_line() { grep -qxF "$2" "$root/$1" || fail "$1 lacks the line '$2'"; }
expect_field() {
  local value
  value="$(dpkg-deb -f "$deb" "$1")"
  case "$value" in *"$2"*) ;; *) fail "$1 is '$value', expected it to hold '$2'" ;; esac
}

[ -x "$root/usr/bin/quillon" ] || fail "usr/bin/quillon is not an executable"
[ -x "$root/usr/bin/quillon-copy-to-server" ] || fail "usr/bin/quillon-copy-to-server is not an executable"
expect_file usr/share/man/man1/quillon-copy-to-server.1.gz
desktop=usr/share/applications/org.quillon.Quillon.desktop
expect_file "$desktop"
expect_line "$desktop" "Exec=quillon"
expect_line "$desktop" "Icon=quillon"
expect_line "$desktop" "Categories=Office;Finance;"
expect_file usr/share/icons/hicolor/scalable/apps/quillon.svg
grep -q "<svg" "$root/usr/share/icons/hicolor/scalable/apps/quillon.svg" || fail "the icon is not an SVG picture"
expect_file usr/share/metainfo/org.quillon.Quillon.metainfo.xml
grep -q "<launchable type=\"desktop-id\">org.quillon.Quillon.desktop</launchable>" \
  "$root/usr/share/metainfo/org.quillon.Quillon.metainfo.xml" || fail "the metadata does not name the menu entry"
expect_file usr/share/man/man1/quillon.1.gz
zcat "$root/usr/share/man/man1/quillon.1.gz" | grep -q "^\.TH QUILLON 1" || fail "the manual page has no title line"
expect_file usr/share/doc/quillon/copyright
expect_file usr/share/doc/quillon/changelog.gz

expect_field Package quillon
expect_field Version 8.0
expect_field Architecture amd64
# Loaded by Qt at run time, so the linker's list does not show them.
expect_field Depends libqt6sql6-sqlite
expect_field Depends qt6-qpa-plugins
expect_field Depends libqt6widgets6
# The office server's connection is the program's own, over libpq, which it
# loads when a server is first reached: a desk on its file never loads it.
expect_field Depends libpq5
for program in quillon quillon-copy-to-server; do
  ! readelf -d "$root/usr/bin/$program" | grep -q "NEEDED.*libpq" || fail "$program loads libpq at every start"
done

# Nothing outside /usr: removing the package leaves the user's files alone.
outside="$(dpkg-deb -c "$deb" | awk '{print $6}' | grep -v '^\./$' | grep -v '^\./usr/' || true)"
[ -z "$outside" ] || fail "files outside /usr: $outside"

if [ "$failures" -ne 0 ]; then exit 1; fi
echo "package holds the program, menu entry, icon, metadata and manual page"
