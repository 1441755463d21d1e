#!/usr/bin/env bash
# The unattended database build as cron runs it: no display, no platform chosen, no one to click.
# It writes every record before the process ends, exits 0 and prints one summary line; a build
# that cannot start or fails exits 1, says why on stderr and leaves the previous database alone.
set -u
cvx=${1:?usage: unattended_dbbuild.sh CVX_PROGRAM DATA_DIR}
data=${2:?}
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

failed=0
passed=0
check() { if ! "$@"; then echo "FAIL: $*"; failed=$((failed + 1)); else passed=$((passed + 1)); fi; }

# Runs the program as cron would: DISPLAY, WAYLAND_DISPLAY and QT_QPA_PLATFORM unset.
run() {
  env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u CVX_MESSAGES \
    CVX_DIRECTORY="${directory:-$data/demo}" XDG_CONFIG_HOME="$tmp/config" \
    timeout 120 "$cvx" "$@" >"$tmp/out" 2>"$tmp/err" </dev/null
}

mkdir -p "$tmp/db"
printf '"NDS:\\\\CORP\\OLD","TCP 10.0.0.1",""\r\n' >"$tmp/db/CORP.lst"

# The demo tree's ACME: 34 workstations, one without an address.
run '/tree=NDS:\\CORP' '/dbbuild=NDS:\\CORP\ACME' /autoclose "--dbpath=$tmp/db"
check [ $? -eq 0 ]
check [ "$(grep -c $'\r$' "$tmp/db/CORP.lst")" -eq 33 ]
check grep -qxF $'"NDS:\\\\CORP\\ACME\\SALES\\WS05","TCP 10.1.1.105",""\r' "$tmp/db/CORP.lst"
check [ "$(wc -l <"$tmp/out")" -eq 1 ]
check grep -qE "^Workstation Database: 33 records in [0-9.]+ s, $tmp/db/CORP.lst \(34 found" "$tmp/out"
check [ "$(ls "$tmp/db")" = CORP.lst ]
check [ ! -e "$tmp/config" ]
cp "$tmp/db/CORP.lst" "$tmp/built.lst"

# A context that does not exist: exit 1, the reason on stderr, the database as it was.
run '/tree=NDS:\\CORP' '/dbbuild=NDS:\\CORP\NOWHERE' /autoclose "--dbpath=$tmp/db"
check [ $? -eq 1 ]
check grep -q "Workstation search failed (error 601)" "$tmp/err"
check cmp -s "$tmp/db/CORP.lst" "$tmp/built.lst"
check [ ! -s "$tmp/out" ]

# A missing directory: the message on stderr instead of a box, exit 1, nothing created.
run '/tree=NDS:\\CORP' '/dbbuild=NDS:\\CORP\ACME' /autoclose "--dbpath=$tmp/gone"
check [ $? -eq 1 ]
check grep -q "^Warning!: The path specified for using the Workstation" "$tmp/err"
check grep -q "cvx: the Workstation Database cannot be built: $tmp/gone" "$tmp/err"
check [ ! -e "$tmp/gone" ]
check [ ! -e "$tmp/config" ]

# A large tree takes many turns of the event loop: the process still writes every record, the
# same bytes the demo generator says a build of the whole tree writes.
if python3 "$here/../../tools/make_demo_tree.py" --large --users 100 --workstations 20000 \
  --database --out "$tmp/big" >/dev/null; then
  mv "$tmp/big/BIG.lst" "$tmp/expected.lst"
  directory="$tmp/big" run '/tree=NDS:\\BIG' '/dbbuild=NDS:\\BIG\ENTERPRISE' /autoclose \
    "--dbpath=$tmp/db"
  check [ $? -eq 0 ]
  check cmp "$tmp/db/BIG.lst" "$tmp/expected.lst"
  check grep -q "^Workstation Database: 20000 records" "$tmp/out"
else
  echo "FAIL: tools/make_demo_tree.py did not run"
  failed=$((failed + 1))
fi

[ "$failed" -eq 0 ] || { echo "--- stderr of the last run:"; cat "$tmp/err"; }
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
