#!/bin/sh
# Checks a manual page of interp1d-tour against the program: man renders it
# at 80 columns without a warning and within the 80 columns, its footer names
# VERSION, and it lists exactly the options and arguments that the program's
# --help lists (the same names, grouped alike, with the same value names),
# each option also in the synopsis.
#
# Usage: test_manpage.sh PAGE PROGRAM VERSION
# PAGE is the roff source or the installed .1.gz; PROGRAM runs without a
# display.
set -eu

page=$1
program=$2
version=$3

scratch=$(mktemp -d "${TMPDIR:-/tmp}/interp1d-manpage.XXXXXX")
trap 'rm -rf "$scratch"' EXIT
trap 'exit 1' INT TERM

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

command -v man >/dev/null 2>&1 || fail "man is missing (Debian package man-db)"

# Runs man with MANWIDTH=80; it must exit with 0 and print nothing on stderr.
render() {
  status=0
  MANWIDTH=80 "$@" >"$scratch/out" 2>"$scratch/stderr" || status=$?
  if [ "$status" -ne 0 ] || [ -s "$scratch/stderr" ]; then
    cat "$scratch/stderr" >&2
    fail "MANWIDTH=80 $* exits with $status and the messages above"
  fi
}
unset MANOPT MANPAGER PAGER MAN_KEEP_FORMATTING
# As lintian runs it: groff's own warnings on, UTF-8 output.
render env LC_ALL=C.UTF-8 man --warnings -E UTF-8 -l -Tutf8 -Z "$page"
# As a reader's terminal shows it, in plain ASCII to be read below.
render env LC_ALL=C man --warnings -l "$page"
mv "$scratch/out" "$scratch/page.txt"
[ -s "$scratch/page.txt" ] || fail "man renders $page as nothing"

wide=$(awk 'length($0) > 80 { print NR ": " $0 }' "$scratch/page.txt")
[ -z "$wide" ] || fail "lines wider than 80 columns:
$wide"
tail -n 1 "$scratch/page.txt" | grep -q "^interp1d-tour $version " ||
  fail "the footer does not name version $version: $(tail -n 1 "$scratch/page.txt")"

# The entries of --help: "option -h, --help", "option --export dir" (value
# names lose their <>), "argument file".
status=0
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program" --help \
  >"$scratch/help.txt" 2>"$scratch/stderr" || status=$?
[ "$status" -eq 0 ] || { cat "$scratch/stderr" >&2; fail "$program --help exits with $status"; }
awk '
  /^Options:$/ { kind = "option"; next }
  /^Arguments:$/ { kind = "argument"; next }
  /^$/ { kind = "" }
  kind != "" && /^  [^ ]/ {
    entry = substr($0, 3)
    sub(/  .*/, "", entry)
    gsub(/[<>]/, "", entry)
    print kind " " entry
  }' "$scratch/help.txt" | LC_ALL=C sort >"$scratch/help.entries"

# The entries of the page: the tags of its OPTIONS and ARGUMENTS sections,
# which man sets at an indent of 7 columns (a tag shorter than the indent
# shares its line with the text after two spaces or more).
awk '
  /^[^ ]/ { section = $0; next }
  /^       [^ ]/ {
    entry = substr($0, 8)
    sub(/  .*/, "", entry)
    if (section == "OPTIONS" && entry ~ /^-/) print "option " entry
    if (section == "ARGUMENTS") print "argument " entry
  }' "$scratch/page.txt" | LC_ALL=C sort >"$scratch/page.entries"

[ -s "$scratch/help.entries" ] || fail "no options found in the output of --help"
if ! cmp -s "$scratch/help.entries" "$scratch/page.entries"; then
  diff "$scratch/help.entries" "$scratch/page.entries" >&2 || true
  fail "the options of $page (>) differ from those of --help (<)"
fi

# Each option appears in the synopsis under its long name (the last one
# --help gives).
awk '/^[^ ]/ { section = $0; next } section == "SYNOPSIS"' "$scratch/page.txt" \
  >"$scratch/synopsis.txt"
# Option names hold no spaces, so the words are the names.
# shellcheck disable=SC2013
for long in $(sed -n 's/^option \(.*, \)\{0,1\}\([^ ]*\).*/\2/p' "$scratch/help.entries"); do
  grep -q -- "$long\([^-a-z]\|$\)" "$scratch/synopsis.txt" || fail "the synopsis lacks $long"
done

echo "$page: renders without warnings, $(wc -l <"$scratch/page.txt") lines within 80 columns;" \
  "its $(wc -l <"$scratch/page.entries") options and arguments are those of --help"
