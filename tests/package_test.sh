#!/bin/sh
# The Debian package as a user gets it: made by CPack, unpacked into a scratch
# root, and run from there: the terminal front end finds its installed reference
# data, the launcher prepares a user's working folder of links and keeps the
# user's ctry.txt, and the desktop entry names programs that are in the package.
# Argument: the build folder.
set -eu
BUILD=$1
SCRATCH=$(mktemp -d)
trap 'rm -rf "$SCRATCH"' EXIT
cd "$BUILD"
cpack --config CPackConfig.cmake -B "$SCRATCH/out" >/dev/null
deb=$(ls "$SCRATCH"/out/*.deb)
dpkg-deb -x "$deb" "$SCRATCH/root"
ROOT="$SCRATCH/root/usr"

fail() { echo "FEL: $*" >&2; exit 1; }

cd "$SCRATCH"
out=$("$ROOT/bin/tovmir-cli" month 2024-05 --no-color)
echo "$out" | head -1 | grep -qx "Tovmir: Sveriges kalender – Maj 2024" || fail "tovmir-cli month 2024-05 gav: $(echo "$out" | head -3)"
echo "$out" | grep -q "01 On Första maj" || fail "Första maj saknas i maj 2024"

export HOME="$SCRATCH/home" XDG_DATA_HOME=
work=$("$ROOT/bin/tovmir" --prepare)
[ "$work" = "$HOME/.local/share/tovmir" ] || fail "arbetsmappen blev $work"
[ -L "$work/Const.mdb" ] && [ -r "$work/Const.mdb" ] || fail "Const.mdb är inte länkad i arbetsmappen"
[ -r "$work/HistSe.txt" ] && [ -r "$work/FlagSe.xpm" ] && [ -r "$work/Vessund.HLP" ] || fail "referensfiler saknas i arbetsmappen"
echo "3" > "$work/ctry.txt"
"$ROOT/bin/tovmir" --prepare >/dev/null
[ "$(cat "$work/ctry.txt")" = "3" ] || fail "ctry.txt skrevs över"
[ -x "$ROOT/lib/tovmir/tovmir" ] && [ -x "$ROOT/lib/tovmir/winhelp" ] || fail "programmen saknas i lib/tovmir"

grep -qx "Exec=tovmir" "$ROOT/share/applications/tovmir.desktop" || fail "skrivbordsfilen startar inte tovmir"
[ -r "$ROOT/share/icons/hicolor/scalable/apps/tovmir.svg" ] || fail "ikonen saknas"
[ -r "$ROOT/share/man/man1/tovmir-cli.1" ] && [ -r "$ROOT/share/man/man1/tovmir.1" ] || fail "manualsidorna saknas"
if command -v desktop-file-validate >/dev/null; then desktop-file-validate "$ROOT/share/applications/tovmir.desktop"; fi
echo "paketet $(basename "$deb") fungerar"
