#!/usr/bin/env bash
# A run on one target, as a script would call it: no display, no window; the workstation's
# remote action starts the real stand-in, and a dry run only prints the command and writes nothing.
set -u
cvx=${1:?usage: target_mode.sh CVX_PROGRAM DATA_DIR}
data=${2:?}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
export CVX_DIRECTORY="$data/demo" XDG_CONFIG_HOME="$tmp/config" CVX_DEMO_LOG="$tmp/demo.log"
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM

failed=0
check() { if ! "$@"; then echo "FAIL: $*"; failed=1; fi; }

out=$(timeout 60 "$cvx" --target=WS01 --server=FS1 --dry-run 2>"$tmp/err")
check [ "$?" -eq 0 ]
check [ "$out" = '\\FS1\sys\public\zenworks\wviewnt.exe -w"WS01.SALES.ACME" -n"CORP" -c"Remote Control"' ]
check [ ! -e "$tmp/config" ]

# The chosen tree's own schema decides the program folder, not the default tree's (CORP).
out=$(timeout 60 "$cvx" --tree='NDS:\\LEGACY' --target=ADM01 --server=FS1 --dry-run 2>"$tmp/err")
check [ "$out" = '\\FS1\sys\public\win32\wviewnt.exe -w"ADM01.ADMIN.OLDCO" -n"LEGACY" -c"Remote Control"' ]

timeout 60 "$cvx" --target=NOBODY --server=FS1 >/dev/null 2>"$tmp/err"
check [ "$?" -eq 1 ]
check grep -q 'nothing found' "$tmp/err"

timeout 60 "$cvx" --target=WS0 --server=FS1 >"$tmp/out" 2>"$tmp/err"
check [ "$?" -eq 2 ]
check [ "$(wc -l <"$tmp/out")" -eq 8 ]

# The real start: the stand-in writes its arguments to the log; wait for that line, bounded.
: >"$tmp/demo.log"
timeout 60 "$cvx" --target=WS01 --server=FS1 --action=CH 2>"$tmp/err"
check [ "$?" -eq 0 ]

expected='["desktop.exe","-wWS01.SALES.ACME","-nCORP","-cChat"]'
check timeout 10 grep -m1 -q -F "$expected" <(tail -n +1 -F "$tmp/demo.log")
check [ -e "$tmp/config/corvexa/settings.sqlite3" ]

[ "$failed" -eq 0 ] || { cat "$tmp/err"; cat "$tmp/demo.log"; }
if [ "$failed" -eq 0 ]; then echo "1 passed, 0 failed"; else echo "0 passed, 1 failed"; fi
exit "$failed"
