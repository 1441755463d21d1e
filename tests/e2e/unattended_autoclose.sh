#!/usr/bin/env bash
# An unattended build that closes by itself never shows the window, ends with status 0 and writes
# no settings.
set -u
cvx=${1:?usage: unattended_autoclose.sh CVX_PROGRAM DATA_DIR}
data=${2:?}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

CVX_DIRECTORY="$data/demo" CVX_MESSAGES=stderr XDG_CONFIG_HOME="$tmp/config" \
  timeout 60 "$cvx" '/dbbuild=NDS:\\CORP\ACME' "--dbpath=$tmp" /autoclose >"$tmp/out" 2>"$tmp/err"
status=$?

failed=0
check() { if ! "$@"; then echo "FAIL: $*"; failed=1; fi; }
check [ "$status" -eq 0 ]
check [ ! -e "$tmp/config" ]
[ "$failed" -eq 0 ] || cat "$tmp/err"
if [ "$failed" -eq 0 ]; then echo "1 passed, 0 failed"; else echo "0 passed, 1 failed"; fi
exit "$failed"
