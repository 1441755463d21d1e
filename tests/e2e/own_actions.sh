#!/usr/bin/env bash
# The administrator's own actions in a run on one target, as a script would call it: read from
# $XDG_CONFIG_HOME/corvexa/actions.ini, a dry run prints the arguments one a line, a faulty
# section is named on stderr, and a real start reaches a recorder program with its arguments.
set -u
cvx=${1:?usage: own_actions.sh CVX_PROGRAM DATA_DIR}
data=${2:?}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
export CVX_DIRECTORY="$tmp/demo" XDG_CONFIG_HOME="$tmp/config" PATH="$tmp/bin:$PATH"
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM

failed=0
check() { if ! "$@"; then echo "FAIL: $*"; failed=1; fi; }

# The recorder writes each argument on a line of its own into a pipe the script reads: the read
# ends when the recorder has written, or at its time limit.
cat >"$tmp/recorder" <<'REC'
#!/bin/sh
printf '%s\n' "$@" >"$0.fifo"
REC
chmod +x "$tmp/recorder"
mkfifo "$tmp/recorder.fifo"
# "ssh" found through PATH is the recorder too.
mkdir "$tmp/bin"
ln -s "$tmp/recorder" "$tmp/bin/ssh"
ln -s "$tmp/recorder.fifo" "$tmp/bin/ssh.fifo"

# The demo directory with a workstation whose name is an ssh option.
cp -r "$data/demo" "$tmp/demo"
cat >>"$tmp/demo/CORP.ldif" <<'LDIF'

dn: cn=-oProxyCommand=touch x,ou=SALES,o=ACME
objectClass: top
objectClass: workstation
cn: -oProxyCommand=touch x
LDIF

mkdir -p "$tmp/config/corvexa"
cat >"$tmp/config/corvexa/actions.ini" <<INI
[action SSH]
Caption=SSH terminal
Exec=x-terminal-emulator -e ssh admin@%a

[action Record]
Exec="$tmp/recorder" "--title=%w on %n" %a

[action Broken]
Exec=ping %x

[action Login]
Exec=ssh %u%w
INI

out=$(timeout 60 "$cvx" --target=WS01 --action=SSH --dry-run 2>"$tmp/err")
check [ "$?" -eq 0 ]
check [ "$out" = "$(printf 'x-terminal-emulator\n-e\nssh\nadmin@10.1.1.101')" ]
check grep -q -F "actions.ini:9: Exec holds the unknown field code %x" "$tmp/err"
check [ ! -e "$tmp/config/corvexa/settings.sqlite3" ]

# The real start: the program ends at once; the recorder's arguments arrive through the pipe.
timeout 60 "$cvx" "--target=PC 12" --action=Record 2>"$tmp/err"
check [ "$?" -eq 0 ]
got=$(timeout 10 cat "$tmp/recorder.fifo")
check [ "$got" = "$(printf -- '--title=PC 12.Field Service.ACME on CORP\n10.1.4.112')" ]

# %u is empty for a workstation, so %w starts the argument: a name that is an option is refused,
# in a dry run and in a real start alike; a plain name reaches ssh.
for mode in --dry-run ""; do
  timeout 60 "$cvx" "--target=-oProxyCommand=touch x" --action=Login $mode >/dev/null 2>"$tmp/err"
  check [ "$?" -eq 1 ]
  check grep -q -F 'the workstation name starts with "-" and would be read as an option' "$tmp/err"
done
timeout 60 "$cvx" --target=WS01 --action=Login 2>"$tmp/err"
check [ "$?" -eq 0 ]
got=$(timeout 10 cat "$tmp/recorder.fifo")
check [ "$got" = WS01.SALES.ACME ]

[ "$failed" -eq 0 ] || cat "$tmp/err"
if [ "$failed" -eq 0 ]; then echo "1 passed, 0 failed"; else echo "0 passed, 1 failed"; fi
exit "$failed"
