#!/usr/bin/env bash
# Where the workstation database lives without --dbpath: the program's folder where it holds the
# tree's file or can be written (a copy); for an installed program (../share/corvexa beside it) the
# shared folder where it exists (CVX_SHARED_DB_DIR stands in for /var/lib/corvexa), else
# $XDG_DATA_HOME/corvexa, made by the first build. Messages name the folder used.
set -u
cvx=${1:?usage: database_folder.sh CVX_PROGRAM DATA_DIR}
data=${2:?}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

failed=0
passed=0
check() { if ! "$@"; then echo "FAIL: $*"; failed=$((failed + 1)); else passed=$((passed + 1)); fi; }

# The program and its window program, laid out as installed and as a plain copy.
mkdir -p "$tmp/usr/bin" "$tmp/usr/lib/corvexa" "$tmp/usr/share/corvexa" "$tmp/copy" "$tmp/shared"
cp "$cvx" "$tmp/usr/bin/cvx"
cp "$(dirname "$cvx")/cvx-window" "$tmp/usr/lib/corvexa/cvx-window"
cp "$cvx" "$(dirname "$cvx")/cvx-window" "$tmp/copy/"

run() {
  local program=$1
  shift
  env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u CVX_MESSAGES \
    CVX_DIRECTORY="$data/demo" XDG_CONFIG_HOME="$tmp/config" XDG_DATA_HOME="$tmp/data" \
    CVX_SHARED_DB_DIR="$shared" timeout 60 "$program" "$@" >"$tmp/out" 2>"$tmp/err" </dev/null
}
build() { run "$1" '/dbbuild=NDS:\\CORP\ACME' /autoclose; }

# Installed, the shared folder there: the build writes into it.
shared="$tmp/shared" build "$tmp/usr/bin/cvx"
check [ $? -eq 0 ]
check [ -s "$tmp/shared/CORP.lst" ]
check grep -q "records in [0-9.]* s, $tmp/shared/CORP.lst" "$tmp/out"

# Installed without it: the user's folder, which the first build makes; before that, a look-up
# names it.
shared="$tmp/none" run "$tmp/usr/bin/cvx" --target=JSMITH --server=FS1 --dry-run
check [ $? -eq 1 ]
check grep -qF "the directory $tmp/data/corvexa!" "$tmp/err"
shared="$tmp/none" build "$tmp/usr/bin/cvx"
check [ $? -eq 0 ]
check [ -s "$tmp/data/corvexa/CORP.lst" ]

# Installed, but its own folder already holds the tree's file: that one stays in use.
printf '"NDS:\\\\CORP\\OLD","TCP 10.0.0.1",""\r\n' >"$tmp/usr/bin/CORP.lst"
shared="$tmp/shared" build "$tmp/usr/bin/cvx"
check [ $? -eq 0 ]
check grep -q "$tmp/usr/bin/CORP.lst" "$tmp/out"
check [ "$(grep -c $'\r$' "$tmp/usr/bin/CORP.lst")" -eq 33 ]

# A copy in a folder it can write: its own folder, as before.
shared="$tmp/shared" build "$tmp/copy/cvx"
check [ $? -eq 0 ]
check [ -s "$tmp/copy/CORP.lst" ]

[ "$failed" -eq 0 ] || { echo "--- stderr of the last run:"; cat "$tmp/err"; }
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
