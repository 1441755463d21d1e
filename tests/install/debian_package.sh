#!/usr/bin/env bash
# cpack's .deb: its files, its dependencies (runtime packages only, found from the libraries the
# programs link), Debian's package checker without an error or a warning, the version named by the
# changelog and the software-centre entry, the maintainer scripts' shared database folder, and the
# program run from the unpacked package (the installed files themselves are checked by
# installed_program.sh). Argument: the build folder.
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
for path in ./usr/bin/cvx ./usr/lib/corvexa/cvx_standin ./usr/share/corvexa/demo/CORP.ldif \
  ./usr/share/corvexa/demo/core.schema ./usr/share/applications/corvexa.desktop \
  ./usr/share/icons/hicolor/scalable/apps/corvexa.svg \
  ./usr/share/icons/hicolor/48x48/apps/corvexa.png ./usr/share/man/man1/cvx.1.gz \
  ./usr/share/doc/corvexa/copyright ./usr/share/doc/corvexa/changelog.gz \
  ./usr/share/metainfo/org.example.corvexa.metainfo.xml; do
  check grep -qE " $path\$" "$tmp/files"
done
for server in FS1 FS2; do
  for program in ZENWORKS/wviewnt.exe ZENWORKS/desktop.exe WIN32/wviewnt.exe; do
    check grep -qF " ./usr/lib/corvexa/standins/$server/SYS/PUBLIC/$program -> " "$tmp/files"
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
version=$(dpkg-deb -f "$deb" Version)

# Errors and warnings fail; a tag that is right to keep is overridden in the package, with why.
if ! lintian --fail-on error,warning "$deb" >"$tmp/lintian" 2>&1; then
  echo "FAIL: lintian"
  cat "$tmp/lintian"
  failed=1
fi

dpkg-deb -x "$deb" "$tmp/root"
# The changelog and the software centres' release name the package's version: a new version
# needs its entry.
check [ "$(zcat "$tmp/root/usr/share/doc/corvexa/changelog.gz" | head -1)" \
  = "corvexa ($version) unstable; urgency=medium" ]
check grep -qF "<release version=\"$version\"" \
  "$tmp/root/usr/share/metainfo/org.example.corvexa.metainfo.xml"
check grep -qx 'License: GPL-3+' "$tmp/root/usr/share/doc/corvexa/copyright"
check [ "$(timeout 30 "$tmp/root/usr/bin/cvx" --version | head -1)" = "cvx $version" ]

# The maintainer scripts, run with the commands they call recorded instead of done: the group,
# the folder and its mode on configure; the folder gone on purge, and nothing else removed.
dpkg-deb -e "$deb" "$tmp/control"
mkdir "$tmp/stubs"
for command in addgroup mkdir chown chmod rm; do
  printf '#!/bin/sh\necho "%s $*" >>"%s"\n' "$command" "$tmp/calls" >"$tmp/stubs/$command"
  chmod +x "$tmp/stubs/$command"
done
# getent finds no group corvexa yet; dpkg-statoverride knows no override.
printf '#!/bin/sh\necho "getent $*" >>"%s"\nexit 2\n' "$tmp/calls" >"$tmp/stubs/getent"
printf '#!/bin/sh\necho "dpkg-statoverride $*" >>"%s"\nexit 1\n' "$tmp/calls" \
  >"$tmp/stubs/dpkg-statoverride"
PATH="$tmp/stubs:$PATH" sh "$tmp/control/postinst" configure
check [ "$?" -eq 0 ]
check grep -qx 'addgroup --system --quiet corvexa' "$tmp/calls"
check grep -qx 'chown root:corvexa /var/lib/corvexa' "$tmp/calls"
check grep -qx 'chmod 2775 /var/lib/corvexa' "$tmp/calls"
[ -d /var/lib/corvexa ] || check grep -qx 'mkdir -p /var/lib/corvexa' "$tmp/calls"
: >"$tmp/calls"
for step in remove upgrade; do PATH="$tmp/stubs:$PATH" sh "$tmp/control/postrm" $step; done
check [ ! -s "$tmp/calls" ]
PATH="$tmp/stubs:$PATH" sh "$tmp/control/postrm" purge
check [ "$(cat "$tmp/calls")" = 'rm -rf /var/lib/corvexa' ]
out=$(timeout 60 "$tmp/root/usr/bin/cvx" --target=WS01 --server=FS1 --dry-run 2>"$tmp/err")
check [ "$?" -eq 0 ]
check [ "$out" = '\\FS1\sys\public\zenworks\wviewnt.exe -w"WS01.SALES.ACME" -n"CORP" -c"Remote Control"' ]

[ "$failed" -eq 0 ] || { echo "Depends: $depends"; cat "$tmp/err"; }
if [ "$failed" -eq 0 ]; then echo "1 passed, 0 failed"; else echo "0 passed, 1 failed"; fi
exit "$failed"
