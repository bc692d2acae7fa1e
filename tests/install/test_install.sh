#!/bin/sh
# Installs the program twice into scratch roots, once with `cmake --install`
# and once by unpacking the .deb that CPack makes of the same build, and in
# each checks that exactly the binary, the desktop entry, the icon and the
# AppStream metadata land where GNUInstallDirs puts them, that they refer to
# each other, and that the installed binary runs.
#
# Usage: test_install.sh BUILD_DIR APP_ID VERSION BINDIR DATADIR [DEB]
# With DEB, that package is checked instead of one made from BUILD_DIR.
set -eu

build=$1
id=$2
version=$3
bindir=$4
datadir=$5
deb=${6:-}

scratch=$(mktemp -d "${TMPDIR:-/tmp}/interp1d-install.XXXXXX")
# Both `cmake --install` and cpack write install_manifest.txt into the build
# folder; it is put back as it was.
manifest=$build/install_manifest.txt
if [ -e "$manifest" ]; then
  cp -p "$manifest" "$scratch/install_manifest.saved"
fi
cleanup() {
  if [ -e "$scratch/install_manifest.saved" ]; then
    cp -p "$scratch/install_manifest.saved" "$manifest"
  else
    rm -f "$manifest"
  fi
  rm -rf "$scratch"
}
trap cleanup EXIT
trap 'exit 1' INT TERM

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# Runs a command with its output in the log, showing the log if it fails.
logged() {
  "$@" >"$scratch/log" 2>&1 || { cat "$scratch/log" >&2; fail "$*"; }
}

# check_root ROOT WHAT: the installed tree under ROOT/usr.
check_root() {
  usr=$1/usr
  what=$2
  desktop=$datadir/applications/$id.desktop
  icon=$datadir/icons/hicolor/scalable/apps/$id.svg
  metainfo=$datadir/metainfo/$id.metainfo.xml

  expected=$(printf '%s\n' "$bindir/interp1d-tour" "$desktop" "$icon" "$metainfo" | LC_ALL=C sort)
  installed=$(cd "$usr" && find . ! -type d | sed 's|^\./||' | LC_ALL=C sort)
  [ "$installed" = "$expected" ] ||
    fail "$what installs
$installed
instead of
$expected"
  [ -x "$usr/$bindir/interp1d-tour" ] || fail "$what: $bindir/interp1d-tour is not executable"

  # The menu entry starts the installed binary and shows the installed icon.
  exec_line=$(sed -n 's/^Exec=//p' "$usr/$desktop")
  [ -x "$usr/$bindir/${exec_line%% *}" ] || fail "$what: Exec=$exec_line is not in $bindir"
  icon_name=$(sed -n 's/^Icon=//p' "$usr/$desktop")
  [ -f "$usr/$datadir/icons/hicolor/scalable/apps/$icon_name.svg" ] ||
    fail "$what: Icon=$icon_name is not installed"
  # The metadata finds its desktop entry in the tree.
  logged appstreamcli validate-tree --no-net --strict "$1"
  # Its newest release is this version.
  release=$(sed -n 's/.*<release version="\([^"]*\)".*/\1/p' "$usr/$metainfo" | head -n 1)
  [ "$release" = "$version" ] || fail "$what: the newest release in $metainfo is '$release'"

  # The installed binary runs; --version needs no display.
  status=0
  printed=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM \
    "$usr/$bindir/interp1d-tour" --version 2>"$scratch/stderr") || status=$?
  [ "$status" -eq 0 ] || { cat "$scratch/stderr" >&2; fail "$what: --version exits with $status"; }
  [ "$printed" = "interp1d-tour $version" ] || fail "$what: --version prints '$printed'"
  echo "$what: $(echo "$installed" | wc -l) files in place, --version prints '$printed'"
}

logged cmake --install "$build" --prefix "$scratch/install/usr"
check_root "$scratch/install" "cmake --install"

if [ -z "$deb" ]; then
  logged cpack --config "$build/CPackConfig.cmake" -G DEB -B "$scratch/package"
  set -- "$scratch"/package/*.deb
  if [ $# -ne 1 ] || [ ! -f "$1" ]; then
    fail "cpack made no single .deb: $*"
  fi
  deb=$1
fi
field() {
  dpkg-deb --field "$deb" "$1"
}
[ "$(field Package)" = interp1d-tour ] || fail "package name '$(field Package)'"
[ "$(field Version)" = "$version" ] || fail "package version '$(field Version)'"
[ "$(field Section)" = education ] || fail "section '$(field Section)'"
[ "$(field Maintainer)" = "interp1d-tour developers <interp1d-tour@example.org>" ] ||
  fail "maintainer '$(field Maintainer)'"
depends=$(field Depends)
for package in libqt6widgets6 libqt6gui6 libqt6core6 qt6-qpa-plugins fonts-liberation; do
  echo "$depends" | tr ',' '\n' | grep -q "^ *$package\( \|$\)" ||
    fail "Depends lacks $package: $depends"
done
logged dpkg -x "$deb" "$scratch/deb"
check_root "$scratch/deb" "$(basename "$deb")"
