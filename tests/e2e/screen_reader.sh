#!/usr/bin/env bash
# A person with a screen reader and no mouse: the real program under a virtual X server, read
# through the desktop's accessibility bus (AT-SPI) by a real client. Every control a person can
# operate must have a name; then the keyboard alone types a user name, presses Enter, tabs to the
# browser, opens the action menu with the Menu key and chooses Chat, and the stand-in starts.
set -u
cvx=${1:?usage: screen_reader.sh CVX_PROGRAM DATA_DIR}
data=${2:?}
# The system's python: pyatspi is a Debian package, not one of a private python's modules.
python=/usr/bin/python3
for tool in xvfb-run xdotool dbus-run-session "$python"; do
  command -v "$tool" >/dev/null || { echo "FAIL: $tool is missing"; echo "0 passed, 1 failed"; exit 1; }
done
"$python" -c 'import pyatspi' 2>/dev/null ||
  { echo "FAIL: python3-pyatspi is missing"; echo "0 passed, 1 failed"; exit 1; }
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
export CVX_DIRECTORY="$data/demo" XDG_CONFIG_HOME="$tmp/config" CVX_DEMO_LOG="$tmp/demo.log"
export CVX_MESSAGES=stderr

# The workstation database that resolves JSMITH's login to WS01, built as an administrator would.
mkdir -p "$tmp/db"
QT_QPA_PLATFORM=offscreen timeout 60 "$cvx" '/tree=NDS:\\CORP' '/dbbuild=NDS:\\CORP\ACME' \
  /autoclose "--dbpath=$tmp/db" >/dev/null 2>"$tmp/err" </dev/null ||
  { cat "$tmp/err"; echo "0 passed, 1 failed"; exit 1; }
# The server as an earlier session would have stored it.
mkdir -p "$tmp/config/corvexa"
"$python" "$(dirname "${BASH_SOURCE[0]}")/support/stored_server.py" \
  "$tmp/config/corvexa/settings.sqlite3" CORP FS1
: >"$tmp/demo.log"
unset QT_QPA_PLATFORM

# The client: names of the operable controls, then the keyboard path, each wait bounded.
cat >"$tmp/client.py" <<'PY'
import subprocess, sys, time
import pyatspi
from gi.repository import GLib

log_path, out_path = sys.argv[1], sys.argv[2]
out = open(out_path, "w", buffering=1)
R = pyatspi
OPERABLE = {R.ROLE_PUSH_BUTTON, R.ROLE_TOGGLE_BUTTON, R.ROLE_CHECK_BOX, R.ROLE_RADIO_BUTTON,
            R.ROLE_COMBO_BOX, R.ROLE_TEXT, R.ROLE_ENTRY, R.ROLE_PASSWORD_TEXT, R.ROLE_SPIN_BUTTON,
            R.ROLE_SLIDER, R.ROLE_TREE, R.ROLE_TREE_TABLE, R.ROLE_TABLE, R.ROLE_LIST,
            R.ROLE_LIST_BOX, R.ROLE_PAGE_TAB_LIST, R.ROLE_PAGE_TAB}

# What a screen reader follows: the object that gains the focus, and what the program announces.
focus = [None]
def on_focus(event):
    if event.detail1:
        focus[0] = event.source.name
pyatspi.Registry.registerEventListener(on_focus, "object:state-changed:focused")

def until(what, probe, seconds=20):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        for _ in range(100):
            if not GLib.MainContext.default().iteration(False):
                break
        try:
            found = probe()
        except Exception:
            found = None
        if found:
            return found
        time.sleep(0.05)
    out.write("FAIL: no %s within %d s\n" % (what, seconds))
    sys.exit(1)

def walk(node, depth=0):
    yield node
    if depth > 40:
        return
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None:
            yield from walk(child, depth + 1)

def app():
    desktop = pyatspi.Registry.getDesktop(0)
    for i in range(desktop.childCount):
        a = desktop.getChildAtIndex(i)
        for j in range(a.childCount if a is not None else 0):
            frame = a.getChildAtIndex(j)
            if frame is not None and frame.name == "Corvexa on CORP":
                return a
    return None

def key(name):
    subprocess.run(["xdotool", "key", name], check=True, timeout=10)

a = until("program on the accessibility bus", app)
controls = [n for n in walk(a)
            if n.getRole() in OPERABLE and n.getState().contains(R.STATE_FOCUSABLE)]
unnamed = [n for n in controls if not n.name.strip()]
for n in unnamed:
    p = n.parent
    out.write("FAIL: %s without a name, in %s \"%s\"\n" % (n.getRoleName(), p.getRoleName(), p.name))
out.write("operable controls: %d, without a name: %d\n" % (len(controls), len(unnamed)))

# The keyboard path, from the entry box, which has the focus at start.
subprocess.run(["xdotool", "type", "--delay", "20", "JSMITH"], check=True, timeout=20)
key("Return")
until("workstation of JSMITH's login in the results", lambda: any(
    n.name == "WS01.SALES.ACME" for n in walk(a) if n.getRole() == R.ROLE_TABLE_CELL))
browser = "Set Context / Choose User or Workstation"
for _ in range(6):
    if focus[0] == browser:
        break
    focus[0] = None
    key("Tab")
    until("focus moved by Tab", lambda: focus[0] is not None, 5)
if focus[0] != browser:
    out.write("FAIL: Tab did not reach the browser\n")
    sys.exit(1)
# The menu is a pop-up, not a child of the program's object tree: a screen reader follows it by
# the focus its entries take.
key("Menu")
for _ in range(8):
    focus[0] = None
    key("Down")
    until("action menu entry taking the focus", lambda: focus[0] is not None, 5)
    if focus[0] == "Chat":
        break
if focus[0] != "Chat":
    out.write("FAIL: no Chat entry in the action menu\n")
    sys.exit(1)
key("Return")
expected = '["desktop.exe","-wWS01.SALES.ACME","-nCORP","-cChat"]'
until("stand-in started for Chat", lambda: expected in open(log_path).read())
out.write("keyboard path: the stand-in started\n")
sys.exit(1 if unnamed else 0)
PY

cat >"$tmp/session.sh" <<SH
#!/usr/bin/env bash
# Qt talks to the accessibility bus only when asked: a screen reader would switch it on.
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
"$cvx" "--dbpath=$tmp/db" >"$tmp/out" 2>"$tmp/err" &
pid=\$!
win=\$(timeout 30 xdotool search --sync --name '^Corvexa on CORP\$' | head -n 1)
[ -n "\$win" ] || { echo "no window" >"$tmp/client.out"; kill \$pid; exit 1; }
xdotool windowfocus --sync "\$win"
timeout 80 "$python" "$tmp/client.py" "$tmp/demo.log" "$tmp/client.out"
found=\$?
kill \$pid
wait \$pid 2>/dev/null
exit \$found
SH
chmod +x "$tmp/session.sh"
timeout 110 xvfb-run -a -s "-screen 0 1280x1024x24" dbus-run-session -- "$tmp/session.sh"
status=$?
cat "$tmp/client.out" 2>/dev/null
if [ "$status" -eq 0 ]; then echo "1 passed, 0 failed"; else cat "$tmp/err" "$tmp/demo.log"; echo "0 passed, 1 failed"; fi
exit "$status"
