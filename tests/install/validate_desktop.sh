#!/bin/sh
# Validates a desktop entry. desktop-file-validate fails only on errors and
# merely prints warnings and hints; here any remark at all is a failure.
set -eu

if ! command -v desktop-file-validate >/dev/null 2>&1; then
  echo "desktop-file-validate is missing (Debian package desktop-file-utils)" >&2
  exit 1
fi
status=0
remarks=$(desktop-file-validate "$1" 2>&1) || status=$?
if [ "$status" -ne 0 ] || [ -n "$remarks" ]; then
  printf '%s\n' "$remarks" >&2
  echo "FAIL: desktop-file-validate $1 (status $status)" >&2
  exit 1
fi
echo "$1: no remarks from desktop-file-validate"
