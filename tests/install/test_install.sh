#!/bin/sh
# Installs the program twice into scratch roots, once with `cmake --install`
# and once by unpacking the .deb that CPack makes of the same build, and in
# each checks that exactly the binary, the desktop entry, the icon, the
# AppStream metadata, the manual page, the copyright file and the changelog
# land where GNUInstallDirs puts them (the .deb adds its lintian overrides),
# that they refer to each other and agree with the version and the LICENSE
# file, and that the installed binary runs.
#
# Usage: test_install.sh BUILD_DIR APP_ID VERSION BINDIR DATADIR MANDIR DOCDIR [DEB]
# With DEB, that package is checked instead of one made from BUILD_DIR.
set -eu

build=$1
id=$2
version=$3
bindir=$4
datadir=$5
mandir=$6
docdir=$7
deb=${8:-}
here=$(cd "$(dirname "$0")" && pwd)
license=$here/../../LICENSE

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

# check_gzip FILE: compressed as Debian wants it, with gzip -9 and no name
# or time stamp in the header (gzip -9n).
check_gzip() {
  file=$1
  # The header's bytes: magic (2), method, flags, time stamp (4), extra flags.
  # shellcheck disable=SC2046
  set -- $(od -A n -t u1 -N 9 "$file")
  [ "$1 $2 $3" = "31 139 8" ] || fail "$what: $file is not gzip-compressed"
  [ $(($4 & 8)) -eq 0 ] || fail "$what: $file keeps a file name in its gzip header"
  [ "$5 $6 $7 $8" = "0 0 0 0" ] || fail "$what: $file keeps a time stamp in its gzip header"
  [ "$9" -eq 2 ] || fail "$what: $file is not compressed with gzip -9"
}

# check_copyright FILE: Debian's machine-readable format, whose Expat
# license text is that of the LICENSE file.
check_copyright() {
  head -n 1 "$1" | grep -qx 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' ||
    fail "$what: copyright does not start with the machine-readable Format line"
  grep -qx 'Files: \*' "$1" || fail "$what: copyright has no 'Files: *' paragraph"
  # The stand-alone Expat paragraph, its continuation lines unindented and
  # its " ." lines made empty, against LICENSE from its permission notice on.
  awk '/^License: Expat$/ { inside = 1; next }
       inside && !/^ / { inside = 0 }
       inside { sub(/^ /, ""); if ($0 == ".") $0 = ""; print }' "$1" >"$scratch/expat"
  sed -n '/^Permission is hereby granted/,$p' "$license" >"$scratch/license"
  [ -s "$scratch/expat" ] || fail "$what: copyright has no stand-alone Expat license paragraph"
  cmp -s "$scratch/expat" "$scratch/license" ||
    fail "$what: the Expat text in copyright differs from LICENSE"
}

# check_changelog FILE: a Debian changelog whose newest entry is this
# version and which keeps the entry of 1.0.0.
check_changelog() {
  gzip -dc "$1" >"$scratch/changelog"
  # Every entry is parsed, each heading and trailer checked.
  versions=$(dpkg-parsechangelog -l "$scratch/changelog" --format rfc822 --all -S Version \
    2>"$scratch/stderr" | sed '/^$/d') ||
    { cat "$scratch/stderr" >&2; fail "$what: dpkg-parsechangelog cannot read changelog.gz"; }
  [ ! -s "$scratch/stderr" ] || { cat "$scratch/stderr" >&2; fail "$what: changelog.gz is malformed"; }
  newest=$(echo "$versions" | head -n 1)
  [ "$newest" = "$version" ] || fail "$what: the newest changelog entry is '$newest'"
  echo "$versions" | grep -qx '1\.0\.0' || fail "$what: changelog.gz lacks the 1.0.0 entry"
}

# check_root ROOT WHAT [EXTRA...]: the installed tree under ROOT/usr, with
# EXTRA files beside the ones every install has.
check_root() {
  root=$1
  usr=$root/usr
  what=$2
  shift 2
  desktop=$datadir/applications/$id.desktop
  icon=$datadir/icons/hicolor/scalable/apps/$id.svg
  metainfo=$datadir/metainfo/$id.metainfo.xml
  manpage=$mandir/man1/interp1d-tour.1.gz
  copyright=$docdir/copyright
  changelog=$docdir/changelog.gz

  lessons=$(cd "$here/../../data/lessons" && for lesson in *.json; do
    echo "$datadir/interp1d-tour/lessons/$lesson"
  done)

  expected=$(printf '%s\n' "$bindir/interp1d-tour" "$desktop" "$icon" "$metainfo" "$manpage" \
    "$copyright" "$changelog" $lessons "$@" | LC_ALL=C sort)
  installed=$(cd "$usr" && find . ! -type d | sed 's|^\./||' | LC_ALL=C sort)
  [ "$installed" = "$expected" ] ||
    fail "$what installs
$installed
instead of
$expected"
  [ -x "$usr/$bindir/interp1d-tour" ] || fail "$what: $bindir/interp1d-tour is not executable"

  # The menu entry and its action start the installed binary, the action the
  # explorer; the entry shows the installed icon.
  exec_lines=$(sed -n 's/^Exec=//p' "$usr/$desktop")
  [ "$exec_lines" = "interp1d-tour
interp1d-tour --explore" ] || fail "$what: the Exec lines are
$exec_lines"
  for exec_line in $(echo "$exec_lines" | cut -d' ' -f1); do
    [ -x "$usr/$bindir/$exec_line" ] || fail "$what: Exec=$exec_line is not in $bindir"
  done
  icon_name=$(sed -n 's/^Icon=//p' "$usr/$desktop")
  [ -f "$usr/$datadir/icons/hicolor/scalable/apps/$icon_name.svg" ] ||
    fail "$what: Icon=$icon_name is not installed"
  # The metadata finds its desktop entry in the tree.
  logged appstreamcli validate-tree --no-net --strict "$root"
  # Its newest release is this version.
  release=$(sed -n 's/.*<release version="\([^"]*\)".*/\1/p' "$usr/$metainfo" | head -n 1)
  [ "$release" = "$version" ] || fail "$what: the newest release in $metainfo is '$release'"

  # The manual page, the changelog and the copyright file.
  for path in "$manpage" "$changelog"; do
    check_gzip "$usr/$path"
  done
  logged sh "$here/test_manpage.sh" "$usr/$manpage" "$usr/$bindir/interp1d-tour" "$version"
  check_changelog "$usr/$changelog"
  check_copyright "$usr/$copyright"

  # The installed binary runs; --version needs no display.
  status=0
  printed=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM \
    "$usr/$bindir/interp1d-tour" --version 2>"$scratch/stderr") || status=$?
  [ "$status" -eq 0 ] || { cat "$scratch/stderr" >&2; fail "$what: --version exits with $status"; }
  [ "$printed" = "interp1d-tour $version" ] || fail "$what: --version prints '$printed'"
  # The lessons that come with it check clean with the installed program.
  for lesson in $lessons; do
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM \
      "$usr/$bindir/interp1d-tour" --check-lesson "$usr/$lesson" >/dev/null 2>"$scratch/stderr" ||
      { cat "$scratch/stderr" >&2; fail "$what: --check-lesson $lesson fails"; }
  done
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
overrides=$datadir/lintian/overrides/interp1d-tour
check_root "$scratch/deb" "$(basename "$deb")" "$overrides"
# Stripped as Debian's own tools strip, the compiler's notes included.
if objdump -h "$scratch/deb/usr/$bindir/interp1d-tour" | grep -q ' \.comment '; then
  fail "the packaged program keeps its .comment section"
fi
# Each override is a tag of this package with the reason above it.
awk '/^#/ { reason = 1; next }
     /^interp1d-tour: / { if (!reason) bad = bad $0 "\n"; reason = 0; next }
     /./ { bad = bad $0 "\n" }
     END { printf "%s", bad }' "$scratch/deb/usr/$overrides" >"$scratch/bad"
[ ! -s "$scratch/bad" ] || fail "lintian overrides without a reason or for another package:
$(cat "$scratch/bad")"
