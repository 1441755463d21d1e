#!/usr/bin/env bash
# The program on live trees: the demo trees served by slapd (cvx-demo-slapd, next to the program)
# carry a whole start-up through LDAP; a server that cannot be reached is the missing client.
set -u
cvx=${1:?usage: live_directory.sh CVX_PROGRAM DATA_DIR}
data=${2:?}
tmp=$(mktemp -d)
coproc SERVERS { exec "$(dirname "$cvx")/cvx-demo-slapd" "$data/demo" 2>&1; }
servers_pid=$SERVERS_PID
trap 'kill -TERM "$servers_pid" 2>/dev/null; wait "$servers_pid" 2>/dev/null; rm -rf "$tmp"' EXIT

# The helper prints the folder of <TREE>.uri files once every server listens.
live=""
while read -r -t 120 -u "${SERVERS[0]}" line; do
  case "$line" in CVX_DIRECTORY=*) live=${line#CVX_DIRECTORY=}; break ;; esac
done

failed=0
check() { if ! "$@"; then echo "FAIL: $*"; failed=1; fi; }
check [ -n "$live" ]
check [ -f "$live/CORP.uri" ]

CVX_DIRECTORY="$live" CVX_MESSAGES=stderr XDG_CONFIG_HOME="$tmp/config" \
  timeout 60 "$cvx" '/dbbuild=NDS:\\CORP\ACME' "--dbpath=$tmp" /autoclose >"$tmp/out" 2>"$tmp/err"
check [ "$?" -eq 0 ]

# One live tree by its URI, then nothing listening there.
uri=$(head -n1 "$live/LEGACY.uri")
CVX_DIRECTORY="$uri" CVX_MESSAGES=stderr XDG_CONFIG_HOME="$tmp/config" \
  timeout 60 "$cvx" '/dbbuild=NDS:\\LEGACY\OLDCO' "--dbpath=$tmp" /autoclose >>"$tmp/out" 2>>"$tmp/err"
check [ "$?" -eq 0 ]
kill -TERM "$servers_pid"
wait "$servers_pid"
CVX_DIRECTORY="$uri" CVX_MESSAGES=stderr XDG_CONFIG_HOME="$tmp/config" CVX_LDAP_TIMEOUT=2 \
  timeout 60 "$cvx" >"$tmp/out2" 2>"$tmp/err2"
check [ "$?" -eq 1 ]
check grep -qx "Corvexa: Sorry! This application works with Novell Netware Client only!" "$tmp/err2"
check grep -q "cvx: the directory cannot be opened: .*Can't contact LDAP server" "$tmp/err2"

[ "$failed" -eq 0 ] || cat "$tmp/err" "$tmp/err2"
if [ "$failed" -eq 0 ]; then echo "1 passed, 0 failed"; else echo "0 passed, 1 failed"; fi
exit "$failed"
