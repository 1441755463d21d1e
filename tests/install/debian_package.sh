#!/usr/bin/env bash
# cpack's .deb: its files, its dependencies (runtime packages only, found from the libraries the
# programs link), a valid .desktop file, and the program run from the unpacked package.
# Argument: the build folder.
set -u
build=${1:?usage: debian_package.sh BUILD_DIR}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM CVX_DIRECTORY CVX_UNC_ROOT
export XDG_CONFIG_HOME="$tmp/config"

failed=0
check() { if ! "$@"; then echo "FAIL: $*"; failed=1; fi; }

if ! cpack -G DEB -B "$tmp/out" --config "$build/CPackConfig.cmake" >"$tmp/cpack.log" 2>&1; then
  cat "$tmp/cpack.log"
  echo "0 passed, 1 failed"
  exit 1
fi
deb=$(ls "$tmp"/out/*.deb)

dpkg-deb -c "$deb" >"$tmp/files"
for path in ./usr/bin/cvx ./usr/share/corvexa/cvx_standin ./usr/share/corvexa/demo/CORP.ldif \
  ./usr/share/corvexa/demo/core.schema ./usr/share/applications/corvexa.desktop \
  ./usr/share/icons/hicolor/scalable/apps/corvexa.svg \
  ./usr/share/icons/hicolor/48x48/apps/corvexa.png ./usr/share/man/man1/cvx.1.gz; do
  check grep -qE " $path\$" "$tmp/files"
done
for server in FS1 FS2; do
  for program in ZENWORKS/wviewnt.exe ZENWORKS/desktop.exe WIN32/wviewnt.exe; do
    check grep -qF " ./usr/share/corvexa/standins/$server/SYS/PUBLIC/$program -> " "$tmp/files"
  done
done
# Nothing of the build tree or the tests.
check [ -z "$(grep -E 'tests|gtest|bench|\.a$|/include/' "$tmp/files")" ]

depends=$(dpkg-deb -f "$deb" Depends)
for package in libqt6core6 libqt6gui6 libqt6widgets6 libldap libsqlite3-0 libc6; do
  check grep -q "$package" <<<"$depends"
done
check [ -z "$(grep -oE '[a-z0-9.+-]+-dev\b' <<<"$depends")" ]
check [ "$(dpkg-deb -f "$deb" Package)" = corvexa ]

dpkg-deb -x "$deb" "$tmp/root"
check desktop-file-validate "$tmp/root/usr/share/applications/corvexa.desktop"
check [ -n "$(timeout 30 "$tmp/root/usr/bin/cvx" --version | grep -xE 'cvx [0-9]+\.[0-9]+')" ]
out=$(timeout 60 "$tmp/root/usr/bin/cvx" --target=WS01 --server=FS1 --dry-run 2>"$tmp/err")
check [ "$?" -eq 0 ]
check [ "$out" = '\\FS1\sys\public\zenworks\wviewnt.exe -w"WS01.SALES.ACME" -n"CORP" -c"Remote Control"' ]

[ "$failed" -eq 0 ] || { echo "Depends: $depends"; cat "$tmp/err"; }
if [ "$failed" -eq 0 ]; then echo "1 passed, 0 failed"; else echo "0 passed, 1 failed"; fi
exit "$failed"
