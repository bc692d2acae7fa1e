#!/bin/sh
# The WebAssembly build writes the same score table and curves as the native
# program's --score and --curves, byte for byte, for every setup given.
# Usage: same_csv.sh PROGRAM SETUP_CSV_JS SETUP...
set -eu

program=$1
module=$2
shift 2
scratch=$(mktemp -d "${TMPDIR:-/tmp}/interp1d-csv.XXXXXX")
trap 'rm -rf "$scratch"' EXIT

compared=0
for setup in "$@"; do
  for option in --score --curves; do
    # --curves exits with 3 where a method cannot run: the columns still compare.
    "$program" "$option" "$setup" >"$scratch/native.csv" 2>/dev/null || [ $? -eq 3 ]
    node "$module" "$option" "$setup" >"$scratch/web.csv"
    if ! cmp -s "$scratch/native.csv" "$scratch/web.csv"; then
      echo "FAIL: $option $setup differs between the native program and WebAssembly:" >&2
      diff "$scratch/native.csv" "$scratch/web.csv" | head -n 5 >&2
      exit 1
    fi
    compared=$((compared + 1))
  done
done
echo "The WebAssembly and the native build write the same $compared CSV files."
