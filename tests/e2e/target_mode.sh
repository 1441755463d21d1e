#!/usr/bin/env bash
# A run on one target, as a script would call it: no display, no window; the workstation's
# remote action starts the real stand-in, and a dry run only prints the command and writes nothing.
# What it reads from the settings store it uses even while another process writes there.
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

# Several hits: one a line, status 2.
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

# The stored action and server are used while another process holds the store's write lock; a
# store that cannot be read at all fails the run with its reason, never acts on defaults.
store="$tmp/config/corvexa/settings.sqlite3"
python3 - "$store" <<'EOF'
import sqlite3, sys
db = sqlite3.connect(sys.argv[1], isolation_level=None)
db.execute("PRAGMA journal_mode=WAL")
for key, value in (("Remote Action", "RV"), ("ZW Server", "FS2")):
    db.execute("INSERT OR REPLACE INTO settings VALUES('Corvexa', 'Settings\\CORP', ?, ?)",
               (key, value))
EOF
coproc LOCK { exec python3 -c 'import sqlite3, sys
db = sqlite3.connect(sys.argv[1], isolation_level=None)
db.execute("BEGIN EXCLUSIVE")
print("locked", flush=True)
sys.stdin.read()' "$store"; }
read -r -t 30 -u "${LOCK[0]}" locked
check [ "$locked" = locked ]
out=$(timeout 60 "$cvx" --target=WS01 --dry-run 2>"$tmp/err")
check [ "$?" -eq 0 ]
check [ "$out" = '\\FS2\sys\public\zenworks\wviewnt.exe -w"WS01.SALES.ACME" -n"CORP" -c"Remote View"' ]
lock_pid=$LOCK_PID  # bash unsets LOCK_PID as soon as it reaps the ended coprocess
kill "$lock_pid"
wait "$lock_pid" 2>/dev/null
printf 'not a database' >"$store"
rm -f "$store-wal" "$store-shm"
out=$(timeout 60 "$cvx" --target=WS01 --dry-run 2>"$tmp/err")
check [ "$?" -eq 1 ]
check [ -z "$out" ]
check grep -q 'stored settings cannot be read.*is not a database' "$tmp/err"

[ "$failed" -eq 0 ] || { cat "$tmp/err"; cat "$tmp/demo.log"; }
if [ "$failed" -eq 0 ]; then echo "1 passed, 0 failed"; else echo "0 passed, 1 failed"; fi
exit "$failed"
