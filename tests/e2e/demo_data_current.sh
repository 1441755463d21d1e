#!/usr/bin/env bash
# The committed demo trees (data/demo/CORP.ldif, LEGACY.ldif) are exactly what
# tools/make_demo_tree.py writes. After changing the generator, rerun it:
#   python3 tools/make_demo_tree.py
# Arguments: $1 the cvx program (unused), $2 the data folder.
set -u

data=${2:?usage: demo_data_current.sh CVX_PROGRAM DATA_DIR}
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
generator="$here/../../tools/make_demo_tree.py"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

failed=0
if ! python3 "$generator" --out "$tmp"; then
  echo "FAIL: $generator did not run"
  failed=1
else
  for tree in CORP LEGACY; do
    if ! diff -u "$data/demo/$tree.ldif" "$tmp/$tree.ldif"; then
      echo "FAIL: $data/demo/$tree.ldif is not the generator's current output;" \
        "run: python3 tools/make_demo_tree.py"
      failed=1
    fi
  done
fi

if [ "$failed" -eq 0 ]; then
  echo "PASS: demo trees are current"
  echo "1 passed, 0 failed"
  exit 0
fi
echo "0 passed, 1 failed"
exit 1
