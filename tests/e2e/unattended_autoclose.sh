#!/usr/bin/env bash
# An unattended build that closes by itself never shows the window, ends with status 0 and writes
# no settings; one whose start-up stops ends with 1 at once, so cron jobs never pile up. Runs
# without a display, or with one that cannot be reached.
set -u
cvx=${1:?usage: unattended_autoclose.sh CVX_PROGRAM DATA_DIR}
data=${2:?}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
export CVX_DIRECTORY="$data/demo" CVX_MESSAGES=stderr XDG_CONFIG_HOME="$tmp/config"
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM

failed=0
check() { if ! "$@"; then echo "FAIL: $*"; failed=1; fi; }

timeout 60 "$cvx" '/dbbuild=NDS:\\CORP\ACME' "--dbpath=$tmp" /autoclose >"$tmp/out" 2>"$tmp/err"
check [ "$?" -eq 0 ]
check [ ! -e "$tmp/config" ]

# In slash form a Unix path is the rest of its argument; a display that cannot be reached
# changes nothing.
mkdir "$tmp/db"
DISPLAY=:87 timeout 60 "$cvx" /autoclose '/dbbuild=NDS:\\CORP\ACME' "/dbpath=$tmp/db" \
  >"$tmp/out" 2>>"$tmp/err"
check [ "$?" -eq 0 ]
check [ -s "$tmp/db/CORP.lst" ]

# An unknown tree: the start-up stops, status 1, in seconds.
timeout 20 "$cvx" '/tree=NDS:\\NOSUCH' '/dbbuild=NDS:\\NOSUCH\X' /autoclose "--dbpath=$tmp" \
  >"$tmp/out" 2>"$tmp/err2"
check [ "$?" -eq 1 ]
check grep -q 'Start-up stopped at' "$tmp/err2"

# A window on a display that cannot be reached: one line, status 1, no core dump.
DISPLAY=:87 timeout 20 "$cvx" >"$tmp/out" 2>"$tmp/err2"
check [ "$?" -eq 1 ]
check [ "$(wc -l <"$tmp/err2")" -eq 1 ]
check grep -q '^cvx: cannot open display :87' "$tmp/err2"

[ "$failed" -eq 0 ] || cat "$tmp/err" "$tmp/err2"
if [ "$failed" -eq 0 ]; then echo "1 passed, 0 failed"; else echo "0 passed, 1 failed"; fi
exit "$failed"
