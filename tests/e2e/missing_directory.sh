#!/usr/bin/env bash
# A directory that cannot be opened: the client message, the reason on stderr, exit status 1,
# and nothing written to the settings folder.
set -u
cvx=${1:?usage: missing_directory.sh CVX_PROGRAM DATA_DIR}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

CVX_DIRECTORY="$tmp/none" CVX_MESSAGES=stderr XDG_CONFIG_HOME="$tmp/config" \
  timeout 60 "$cvx" >"$tmp/out" 2>"$tmp/err"
status=$?

failed=0
check() { if ! "$@"; then echo "FAIL: $*"; failed=1; fi; }
check [ "$status" -eq 1 ]
check grep -qx "Corvexa: Sorry! This application works with Novell Netware Client only!" "$tmp/err"
check grep -q "cvx: the directory cannot be opened: .*does not exist" "$tmp/err"
check [ ! -e "$tmp/config" ]
[ "$failed" -eq 0 ] || cat "$tmp/err"
if [ "$failed" -eq 0 ]; then echo "1 passed, 0 failed"; else echo "0 passed, 1 failed"; fi
exit "$failed"
