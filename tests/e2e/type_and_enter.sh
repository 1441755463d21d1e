#!/usr/bin/env bash
# A person at the window: with FS1 chosen as the server, type a workstation name into the entry
# box of the real program under a virtual X server, press Enter, and the stand-in is started.
set -u
cvx=${1:?usage: type_and_enter.sh CVX_PROGRAM DATA_DIR}
data=${2:?}
for tool in xvfb-run xdotool python3; do
  command -v "$tool" >/dev/null || { echo "FAIL: $tool is missing"; echo "0 passed, 1 failed"; exit 1; }
done
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
export CVX_DIRECTORY="$data/demo" XDG_CONFIG_HOME="$tmp/config" CVX_DEMO_LOG="$tmp/demo.log"
export CVX_MESSAGES=stderr
unset QT_QPA_PLATFORM

# The server as an earlier session would have stored it.
mkdir -p "$tmp/config/corvexa"
python3 "$(dirname "${BASH_SOURCE[0]}")/support/stored_server.py" \
  "$tmp/config/corvexa/settings.sqlite3" CORP FS1
: >"$tmp/demo.log"

cat >"$tmp/session.sh" <<SH
#!/usr/bin/env bash
"$cvx" >"$tmp/out" 2>"$tmp/err" &
pid=\$!
win=\$(timeout 30 xdotool search --sync --name '^Corvexa on CORP\$' | head -n 1)
[ -n "\$win" ] || { echo "no window"; kill \$pid; exit 1; }
xdotool windowfocus --sync "\$win"
xdotool type --delay 20 WS01
xdotool key Return
timeout 20 grep -m1 -q -F '["wviewnt.exe","-wWS01.SALES.ACME","-nCORP","-cRemote Control"]' \
  <(tail -n +1 -F "$tmp/demo.log")
found=\$?
kill \$pid
wait \$pid 2>/dev/null
exit \$found
SH
chmod +x "$tmp/session.sh"
timeout 120 xvfb-run -a -s "-screen 0 1280x1024x24" "$tmp/session.sh"
status=$?
if [ "$status" -eq 0 ]; then echo "1 passed, 0 failed"; else cat "$tmp/err" "$tmp/demo.log"; echo "0 passed, 1 failed"; fi
exit "$status"
