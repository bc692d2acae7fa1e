#!/bin/sh
# Generates the locales named on the command line (like de_DE.UTF-8) that
# are missing, with Debian's locales package: the tests run the program in a
# language with a decimal comma.
set -eu

missing=""
for name in "$@"; do
  # locale -a writes de_DE.utf8 for de_DE.UTF-8.
  short=$(printf '%s' "$name" | sed 's/UTF-8$/utf8/')
  if ! locale -a 2>/dev/null | grep -qx "$short"; then
    missing="$missing $name"
  fi
done
[ -z "$missing" ] && exit 0

"$(dirname "$0")/install-deps.sh" locales
if [ "$(id -u)" -eq 0 ]; then
  sudo=""
elif command -v sudo >/dev/null 2>&1; then
  sudo="sudo"
else
  echo "These locales are missing and generating them needs root:$missing" >&2
  exit 1
fi
for name in $missing; do
  echo "Generating the locale $name"
  language=${name%%.*}
  charset=${name#*.}
  $sudo localedef -i "$language" -c -f "$charset" -A /usr/share/locale/locale.alias "$name"
done
