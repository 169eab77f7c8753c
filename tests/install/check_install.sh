#!/usr/bin/env bash
# Installs the build at $1 into a scratch prefix and checks the tree: both
# programs and the shipped files in lib/trakvist and nothing else there,
# the bin/Trakvist link, the desktop entry naming the installed program, the
# icon, and an installed front end that starts through its link.
set -euo pipefail
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$prefix" >/dev/null

lib="$prefix/lib/trakvist"
expected="APM_Download_Instructions.txt Disks.ini ReadMe.txt Trakvist schedule"
listed=$(cd "$lib" && ls -A | LC_ALL=C sort | tr '\n' ' ' | sed 's/ $//')
[ "$listed" = "$expected" ] || fail "lib/trakvist holds '$listed', not '$expected'"
for program in Trakvist schedule; do
  [ -f "$lib/$program" ] && [ -x "$lib/$program" ] || fail "$program is not an installed program"
done
cmp -s "$lib/Disks.ini" "$(dirname "$0")/../../frontend/data/Disks.ini" ||
  fail "the installed Disks.ini differs from the shipped one"

link="$prefix/bin/Trakvist"
[ -L "$link" ] || fail "bin/Trakvist is not a link"
[ "$(readlink "$link")" = "../lib/trakvist/Trakvist" ] || fail "bin/Trakvist links elsewhere"
[ "$(readlink -f "$link")" = "$(readlink -f "$lib/Trakvist")" ] || fail "bin/Trakvist is broken"
# Started through its link, the front end runs from the installed folder.
# (Into a file: grep -q would leave before a long text is written whole.)
"$link" --help >"$prefix/help.txt" || fail "the installed Trakvist does not start"
grep -q '^Usage:' "$prefix/help.txt" || fail "the installed Trakvist prints no usage"

desktop="$prefix/share/applications/trakvist.desktop"
[ -f "$desktop" ] || fail "no desktop entry"
grep -qx '\[Desktop Entry\]' "$desktop" || fail "the desktop entry has no group"
grep -qx 'Type=Application' "$desktop" || fail "the desktop entry is not an application"
grep -qx "Exec=\"$prefix/bin/Trakvist\" %f" "$desktop" || fail "Exec does not name bin/Trakvist"
grep -qx "TryExec=$prefix/bin/Trakvist" "$desktop" || fail "TryExec does not name bin/Trakvist"
grep -qx 'Icon=trakvist' "$desktop" || fail "the desktop entry names no icon"
if command -v desktop-file-validate >/dev/null; then desktop-file-validate "$desktop"; fi

icon="$prefix/share/icons/hicolor/scalable/apps/trakvist.svg"
[ -f "$icon" ] || fail "no icon"
grep -q '<svg' "$icon" || fail "the icon is not an SVG picture"

for page in schedule Trakvist; do
  [ -f "$prefix/share/man/man1/$page.1" ] || fail "no manual page $page.1"
done

# Installing again over the same tree works (the link is replaced).
cmake --install "$build" --prefix "$prefix" >/dev/null
echo "install tree OK in $prefix"
