#!/bin/sh
# Runs lintian on a .deb and fails on any tag it reports as an error, a
# warning or information; tags the package overrides (each with its reason,
# in usr/share/lintian/overrides/interp1d-tour) are listed but pass.
#
# Usage: lint_package.sh DEB
set -eu

if [ $# -ne 1 ] || [ ! -f "$1" ]; then
  echo "usage: lint_package.sh DEB (one existing package; got: $*)" >&2
  exit 1
fi
deb=$1
command -v lintian >/dev/null 2>&1 || {
  echo "lintian is missing (Debian package lintian)" >&2
  exit 1
}

output=$(mktemp "${TMPDIR:-/tmp}/interp1d-lintian.XXXXXX")
trap 'rm -f "$output"' EXIT
# Informational tags are shown (-I), or --fail-on would not count them. The
# verdict comes from a run without --show-overrides, with which lintian
# would count the overridden tags too.
status=0
lintian --display-info --fail-on error,warning,info "$deb" >"$output" 2>&1 || status=$?
# lintian's note that it runs as root is no finding about the package.
grep -v '^running with root privileges is not recommended!$' "$output" || true
if [ "$status" -ne 0 ] || grep -q '^[EWI]: ' "$output"; then
  echo "FAIL: $(lintian --version) reports the tags above on $deb (status $status)" >&2
  exit 1
fi
# The overridden tags, each with its reason.
lintian --display-info --show-overrides "$deb" 2>/dev/null | grep '^[NO]: ' >"$output" || true
cat "$output"
echo "$(lintian --version): no error, warning or information on $(basename "$deb")," \
  "$(grep -c '^O: ' "$output" || true) overridden tag(s)"
