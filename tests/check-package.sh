#!/usr/bin/env bash
# Builds the Debian package and checks it. Where CI=true (CI runs as root on
# a machine of its own) it also installs the package, starts the installed
# program on the test X server, finds its window and removes the package.
#   tests/check-package.sh BUILD_DIR
set -uo pipefail
build=$1
failures=0
fail() { echo "FAIL  $*"; failures=$((failures + 1)); }
ok() { echo "ok    $*"; }

rm -rf "$build/package"
(cd "$build" && cpack >/dev/null) || { echo "FAIL  cpack"; exit 1; }
deb=$(ls "$build"/package/glut-alap_*.deb 2>/dev/null | head -n 1)
[ -n "$deb" ] || { echo "FAIL  no .deb in $build/package"; exit 1; }
ok "built $(basename "$deb")"

depends=$(dpkg-deb --field "$deb" Depends)
echo "      Depends: $depends"
for library in 'libc6' 'libglut3' 'libgl1\|libglx0\|libopengl0'; do
    grep -q "$library" <<<"$depends" && ok "depends on $library" || fail "Depends: expected $library"
done
contents=$(dpkg-deb --contents "$deb")
for file in ./usr/bin/glut-alap ./usr/share/applications/glut-alap.desktop \
    ./usr/share/icons/hicolor/64x64/apps/glut-alap.png ./usr/share/man/man6/glut-alap.6.gz; do
    grep -q " $file\$" <<<"$contents" && ok "contains $file" || fail "expected $file in the package"
done

if [ "${CI:-}" != "true" ] || [ "$(id -u)" -ne 0 ]; then
    echo "      install, run and remove: not here (only with CI=true, as root)"
    [ "$failures" -eq 0 ]
    exit
fi
if dpkg-query -W glut-alap >/dev/null 2>&1; then
    echo "      install, run and remove: glut-alap is already installed on this machine; left alone"
    [ "$failures" -eq 0 ]
    exit
fi

dpkg -i "$deb" >/dev/null && ok "dpkg -i" || fail "dpkg -i $deb"
if [ -x /usr/bin/glut-alap ]; then
    /usr/bin/glut-alap >/dev/null 2>&1 &
    pid=$!
    if timeout 10 xdotool search --sync --onlyvisible --name '^GLUT Alap$' >/dev/null; then
        ok "installed program opened its window"
    else
        fail "installed program: no window titled \"GLUT Alap\""
    fi
    kill "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
fi
dpkg -r glut-alap >/dev/null && ok "dpkg -r" || fail "dpkg -r glut-alap"
[ ! -e /usr/bin/glut-alap ] && ok "removed cleanly" || fail "/usr/bin/glut-alap still there after removal"

[ "$failures" -eq 0 ]
