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

log_path, out_path, program = sys.argv[1], sys.argv[2], sys.argv[3:]
out = open(out_path, "w", buffering=1)
R = pyatspi
OPERABLE = {R.ROLE_PUSH_BUTTON, R.ROLE_TOGGLE_BUTTON, R.ROLE_CHECK_BOX, R.ROLE_RADIO_BUTTON,
            R.ROLE_COMBO_BOX, R.ROLE_TEXT, R.ROLE_ENTRY, R.ROLE_PASSWORD_TEXT, R.ROLE_SPIN_BUTTON,
            R.ROLE_SLIDER, R.ROLE_TREE, R.ROLE_TREE_TABLE, R.ROLE_TABLE, R.ROLE_LIST,
            R.ROLE_LIST_BOX, R.ROLE_PAGE_TAB_LIST, R.ROLE_PAGE_TAB}

# What a screen reader follows: the objects that gain the focus, by name.
seen = []
def on_focus(event):
    if event.detail1:
        seen.append(event.source.name)
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
    out.write("FAIL: no %s within %d s (focus went to: %s)\n" % (what, seconds, seen))
    cvx.kill()
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

# The program starts after the listener is in place: a listener registered while the program was
# joining the bus was sometimes never sent a focus event.
cvx = subprocess.Popen(program, stdout=subprocess.DEVNULL, stderr=open(out_path + ".err", "w"))
try:
    window = subprocess.run(["xdotool", "search", "--sync", "--name", "^Corvexa on CORP$"],
                            capture_output=True, text=True, timeout=30).stdout.split()
    subprocess.run(["xdotool", "windowfocus", "--sync", window[0]], check=True, timeout=10)
except (subprocess.TimeoutExpired, IndexError):
    out.write("FAIL: no window\n")
    cvx.kill()
    sys.exit(1)
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
# Where the focus is, as the program reports it: the states of its objects.
def focused():
    return frozenset((n.getRoleName(), n.name) for n in walk(a)
                     if n.getState().contains(R.STATE_FOCUSED))

browser = ("tree", "Set Context / Choose User or Workstation")
for _ in range(6):
    before = focused()
    if browser in before:
        break
    key("Tab")
    until("focus moved by Tab", lambda: focused() != before, 15)
if browser not in focused():
    out.write("FAIL: Tab did not reach the browser\n")
    cvx.kill()
    sys.exit(1)
# The menu is a pop-up outside the program's object tree: a screen reader follows it by the focus
# its entries take. Keys queue in order, so the entries are chosen once the menu is open.
key("Menu")
for _ in range(5):  # down to Chat, the fifth entry
    key("Down")
until("Chat entry taking the focus", lambda: "Chat" in seen, 15)
key("Return")
expected = '["desktop.exe","-wWS01.SALES.ACME","-nCORP","-cChat"]'
until("stand-in started for Chat", lambda: expected in open(log_path).read())
out.write("keyboard path: the stand-in started\n")
cvx.terminate()
cvx.wait(10)
sys.exit(1 if unnamed else 0)
PY

cat >"$tmp/session.sh" <<SH
#!/usr/bin/env bash
# Qt talks to the accessibility bus only when asked: a screen reader would switch it on.
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
exec timeout 80 "$python" "$tmp/client.py" "$tmp/demo.log" "$tmp/client.out" \
  "$cvx" "--dbpath=$tmp/db"
SH
chmod +x "$tmp/session.sh"
timeout 110 xvfb-run -a -s "-screen 0 1280x1024x24" dbus-run-session -- "$tmp/session.sh"
status=$?
cat "$tmp/client.out" 2>/dev/null
if [ "$status" -eq 0 ]; then echo "1 passed, 0 failed"; else cat "$tmp/client.out.err" "$tmp/demo.log"; echo "0 passed, 1 failed"; fi
exit "$status"
