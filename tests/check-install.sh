#!/usr/bin/env bash
# Installs the build into a staging folder and checks what lands there:
# the program, a valid desktop entry, the icon and a manual page that
# renders without warnings.
#   tests/check-install.sh BUILD_DIR STAGE_DIR
set -uo pipefail
build=$1
stage=$2
failures=0
fail() { echo "FAIL  $*"; failures=$((failures + 1)); }
ok() { echo "ok    $*"; }

rm -rf "$stage"
cmake --install "$build" --prefix "$stage" >/dev/null || { echo "FAIL  cmake --install"; exit 1; }

expected=(
    bin/glut-alap
    share/applications/glut-alap.desktop
    share/icons/hicolor/64x64/apps/glut-alap.png
    share/man/man6/glut-alap.6.gz
)
for file in "${expected[@]}"; do
    [ -f "$stage/$file" ] && ok "$file" || fail "$file: expected, not installed"
done
[ -x "$stage/bin/glut-alap" ] || fail "bin/glut-alap: expected executable"

unexpected=$(cd "$stage" && find . -type f | sed 's|^\./||' | sort | grep -v -x -F "$(printf '%s\n' "${expected[@]}")")
[ -z "$unexpected" ] && ok "nothing else installed" || fail "installed but not expected: $unexpected"

desktop="$stage/share/applications/glut-alap.desktop"
if out=$(desktop-file-validate "$desktop" 2>&1) && [ -z "$out" ]; then
    ok "desktop-file-validate"
else
    fail "desktop-file-validate: $out"
fi
grep -q '^Terminal=true$' "$desktop" && ok "Terminal=true" || fail "desktop entry: expected Terminal=true"

icon="$stage/share/icons/hicolor/64x64/apps/glut-alap.png"
size=$(file -b "$icon" | grep -o '64 x 64')
[ -n "$size" ] && ok "icon is a 64 x 64 PNG" || fail "icon: expected a 64 x 64 PNG, observed $(file -b "$icon")"

warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$stage/share/man/man6/glut-alap.6.gz" 2>&1 >/dev/null)
[ -z "$warnings" ] && ok "man page renders without warnings" || fail "man page warnings: $warnings"
for section in NAME SYNOPSIS DESCRIPTION KEYS OUTPUT OPTIONS "EXIT STATUS" FILES ENVIRONMENT; do
    zcat "$stage/share/man/man6/glut-alap.6.gz" | grep -q "^\.SH \"\?$section" || fail "man page: no $section section"
done

[ "$failures" -eq 0 ]
