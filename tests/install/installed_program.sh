#!/usr/bin/env bash
# cmake --install into a temporary prefix, then the installed program as a user runs it: no
# display, no CVX_* variables, so it finds the demo directory and the stand-ins under its prefix;
# also after the prefix has moved elsewhere. Argument: the build folder.
set -u
build=${1:?usage: installed_program.sh BUILD_DIR}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM CVX_DIRECTORY CVX_PREFERRED_TREE CVX_UNC_ROOT \
  CVX_EXE_RUNNER CVX_MESSAGES
export XDG_CONFIG_HOME="$tmp/config" CVX_DEMO_LOG="$tmp/demo.log"

failed=0
check() { if ! "$@"; then echo "FAIL: $*"; failed=1; fi; }

if ! cmake --install "$build" --prefix "$tmp/prefix" >"$tmp/install.log" 2>&1; then
  cat "$tmp/install.log"
  echo "0 passed, 1 failed"
  exit 1
fi
cvx="$tmp/prefix/bin/cvx"

version=$(timeout 30 "$cvx" --version 2>"$tmp/err")
check [ "$?" -eq 0 ]
check [ -n "$(echo "$version" | head -1 | grep -xE 'cvx [0-9]+\.[0-9]+')" ]
check [ "$(echo "$version" | sed -n '2p;3q')" = \
  'License GPL-3.0-or-later: GNU GPL version 3 or later <https://gnu.org/licenses/gpl.html>.' ]
check [ ! -s "$tmp/err" ]

timeout 30 "$cvx" --help >"$tmp/help" 2>"$tmp/err"
check [ "$?" -eq 0 ]
check grep -q '^Usage: cvx ' "$tmp/help"
check [ ! -s "$tmp/err" ]
# Every long option the usage names is in the man page too.
zcat "$tmp/prefix/share/man/man1/cvx.1.gz" | sed 's/\\-/-/g' >"$tmp/man"
for option in $(grep -oE -- '--[a-z-]+' "$tmp/help" | sort -u); do
  check grep -qF -- "$option" "$tmp/man"
done
for section in SYNOPSIS OPTIONS ENVIRONMENT FILES 'EXIT STATUS'; do
  check grep -qx "\.SH $section" "$tmp/man"
done

# A window start without a display: one line, exit 1, no Qt abort.
timeout 30 "$cvx" >"$tmp/out" 2>"$tmp/err"
check [ "$?" -eq 1 ]
check [ "$(wc -l <"$tmp/err")" -eq 1 ]
check grep -q 'no display' "$tmp/err"

expected='\\FS1\sys\public\zenworks\wviewnt.exe -w"WS01.SALES.ACME" -n"CORP" -c"Remote Control"'
out=$(timeout 60 "$cvx" --target=WS01 --server=FS1 --dry-run 2>"$tmp/err")
check [ "$?" -eq 0 ]
check [ "$out" = "$expected" ]

# A real start reaches the installed stand-in; wait for its log line, bounded.
: >"$tmp/demo.log"
timeout 60 "$cvx" --target=WS01 --server=FS1 --action=CH 2>>"$tmp/err" >/dev/null
check [ "$?" -eq 0 ]
check timeout 10 grep -m1 -q -F '["desktop.exe","-wWS01.SALES.ACME","-nCORP","-cChat"]' \
  <(tail -n +1 -F "$tmp/demo.log" 2>/dev/null)

check desktop-file-validate "$tmp/prefix/share/applications/corvexa.desktop"
check [ -s "$tmp/prefix/share/icons/hicolor/scalable/apps/corvexa.svg" ]
check [ -s "$tmp/prefix/share/icons/hicolor/48x48/apps/corvexa.png" ]
# The software centres' entry, valid and naming the desktop file installed beside it; its
# screenshot is the committed one.
metainfo="$tmp/prefix/share/metainfo/org.example.corvexa.metainfo.xml"
check appstreamcli validate --no-net "$metainfo"
check appstreamcli validate-tree --no-net "$tmp/prefix"
check grep -qE '<image>https://[^<]+/screenshots/main-window\.png</image>' "$metainfo"
check grep -q 'PNG image' <(file "$(dirname "$0")/../../packaging/screenshot-main-window.png")
check [ -s "$tmp/prefix/share/doc/corvexa/copyright" ]
check [ -s "$tmp/prefix/share/doc/corvexa/changelog.gz" ]
# No program below share.
check [ -z "$(find "$tmp/prefix/share" -type f -exec file {} + | grep ELF)" ]

# Wherever the prefix is.
mv "$tmp/prefix" "$tmp/moved"
out=$(timeout 60 "$tmp/moved/bin/cvx" --target=WS01 --server=FS1 --dry-run 2>>"$tmp/err")
check [ "$?" -eq 0 ]
check [ "$out" = "$expected" ]

[ "$failed" -eq 0 ] || cat "$tmp/err"
if [ "$failed" -eq 0 ]; then echo "1 passed, 0 failed"; else echo "0 passed, 1 failed"; fi
exit "$failed"
