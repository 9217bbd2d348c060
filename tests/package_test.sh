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
# Without HOME, or with one that cannot be written, the program runs in the
# shared folder, read-only: a Swedish word on the way, no shell or mkdir error.
touch "$SCRATCH/fil"
# Runs a command with HOME unset ($1 "unset") or set to $1, and no display.
with_home() {
  h=$1
  shift
  if [ "$h" = unset ]; then
    env -u HOME -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM XDG_DATA_HOME= "$@"
  else
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM HOME="$h" XDG_DATA_HOME= "$@"
  fi
}
for home in unset "$SCRATCH/fil"; do
  work=$(with_home "$home" "$ROOT/bin/tovmir" --prepare 2>"$SCRATCH/err") || fail "tovmir --prepare med HOME $home: status $?: $(cat "$SCRATCH/err")"
  [ "$work" = "$ROOT/share/tovmir" ] || fail "med HOME $home blev arbetsmappen $work"
  grep -q "^tovmir: ingen egen arbetsmapp (.*); kalendern körs i $ROOT/share/tovmir$" "$SCRATCH/err" || fail "med HOME $home: $(cat "$SCRATCH/err")"
  status=0
  with_home "$home" "$ROOT/bin/tovmir" 2>"$SCRATCH/err" || status=$?
  [ "$status" = 1 ] && tail -1 "$SCRATCH/err" | grep -q "^tovmir: ingen bildskärm" || fail "tovmir med HOME $home: status $status: $(cat "$SCRATCH/err")"
done

# The window opens natively in a Wayland session only with Qt's Wayland plugin.
dpkg-deb -f "$deb" Recommends | grep -qw qt6-wayland || fail "paketet rekommenderar inte qt6-wayland"
[ -x "$ROOT/lib/tovmir/tovmir" ] && [ -x "$ROOT/lib/tovmir/winhelp" ] || fail "programmen saknas i lib/tovmir"

grep -qx "Exec=tovmir" "$ROOT/share/applications/tovmir.desktop" || fail "skrivbordsfilen startar inte tovmir"
[ -r "$ROOT/share/icons/hicolor/scalable/apps/tovmir.svg" ] || fail "ikonen saknas"
[ -r "$ROOT/share/man/man1/tovmir-cli.1" ] && [ -r "$ROOT/share/man/man1/tovmir.1" ] || fail "manualsidorna saknas"
if command -v desktop-file-validate >/dev/null; then desktop-file-validate "$ROOT/share/applications/tovmir.desktop"; fi
echo "paketet $(basename "$deb") fungerar"
