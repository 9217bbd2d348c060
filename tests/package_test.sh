#!/bin/sh
# The Debian package as a user gets it: made by CPack, checked by lintian,
# appstreamcli and desktop-file-validate where they are installed, installed
# with dpkg into a scratch root and run from there: the terminal front end finds
# its installed reference data, the launcher prepares a user's working folder of
# links and keeps the user's ctry.txt, and the desktop entry names programs that
# are in the package. Then it is purged, and nothing of it may be left.
# Argument: the build folder.
set -eu
BUILD=$1
SCRATCH=$(mktemp -d)
trap 'rm -rf "$SCRATCH"' EXIT
cd "$BUILD"
cpack --config CPackConfig.cmake -B "$SCRATCH/out" >/dev/null
deb=$(ls "$SCRATCH"/out/*.deb)
ID=org.example.tovmir

fail() { echo "FEL: $*" >&2; exit 1; }

# lintian: no error and no warning; an info or pedantic remark only where the
# package's overrides justify it. The hardening remarks are allowed only when
# this build folder was configured without Debian's flags (scripts/package sets
# them, scripts/test does not).
if command -v lintian >/dev/null; then
  lintian --display-info --pedantic --tag-display-limit 0 "$deb" >"$SCRATCH/lintian" 2>&1 || true
  allowed='^$'
  grep -q "_FORTIFY_SOURCE" "$BUILD/CMakeCache.txt" || allowed='^[IP]: tovmir: hardening-no-(bindnow|fortify-functions) '
  bad=$(grep -E '^[EWIP]: ' "$SCRATCH/lintian" | grep -Ev "$allowed" || true)
  [ -z "$bad" ] || fail "lintian: $bad"
  # Its own failures (a check that broke) are failures too.
  ! grep -q '^internal error' "$SCRATCH/lintian" || fail "lintian: $(cat "$SCRATCH/lintian")"
fi

# The file list: everything under /usr, the Debian documents in place and
# compressed as Debian wants, and no maintainer script, so that a purge has
# nothing to undo but the files.
dpkg-deb -c "$deb" | awk '{print $6}' | sed 's|^\./|/|' >"$SCRATCH/files"
grep -v '^/usr/\|^/$\|^/usr$' "$SCRATCH/files" && fail "filer utanför /usr"
for f in /usr/bin/tovmir /usr/bin/tovmir-cli /usr/lib/tovmir/tovmir /usr/lib/tovmir/winhelp \
         /usr/share/tovmir/Const.mdb /usr/share/doc/tovmir/copyright /usr/share/doc/tovmir/changelog.Debian.gz \
         /usr/share/man/man1/tovmir.1.gz /usr/share/man/man1/tovmir-cli.1.gz \
         /usr/share/applications/$ID.desktop /usr/share/metainfo/$ID.metainfo.xml \
         /usr/share/icons/hicolor/scalable/apps/$ID.svg /usr/share/lintian/overrides/tovmir; do
  grep -qx "$f" "$SCRATCH/files" || fail "$f saknas i paketet"
done
! grep -q '\.1$' "$SCRATCH/files" || fail "okomprimerad manualsida"
dpkg-deb -e "$deb" "$SCRATCH/control"
for script in preinst postinst prerm postrm config conffiles; do
  [ ! -e "$SCRATCH/control/$script" ] || fail "paketet har $script"
done
dpkg-deb -f "$deb" Maintainer | grep -q '<noreply@tovmir.example.org>' || fail "fel adress i Maintainer"

dpkg-deb -x "$deb" "$SCRATCH/x"
if command -v appstreamcli >/dev/null; then
  # Not even a pedantic remark: an untold content rating is only one.
  appstreamcli validate --pedantic --no-net "$SCRATCH/x/usr/share/metainfo/$ID.metainfo.xml" >"$SCRATCH/as" 2>&1 &&
    ! grep -q '^[EWIP]: ' "$SCRATCH/as" || fail "appstreamcli: $(cat "$SCRATCH/as")"
fi
if command -v desktop-file-validate >/dev/null; then
  out=$(desktop-file-validate "$SCRATCH/x/usr/share/applications/$ID.desktop" 2>&1) || fail "desktop-file-validate: $out"
  [ -z "$out" ] || fail "desktop-file-validate: $out"
fi
grep -q "<launchable type=\"desktop-id\">$ID.desktop</launchable>" "$SCRATCH/x/usr/share/metainfo/$ID.metainfo.xml" ||
  fail "metainfo startar inte $ID.desktop"
grep -qx "Icon=$ID" "$SCRATCH/x/usr/share/applications/$ID.desktop" || fail "skrivbordsfilen har inte ikonen $ID"
for b in tovmir tovmir-cli; do
  grep -q "<binary>$b</binary>" "$SCRATCH/x/usr/share/metainfo/$ID.metainfo.xml" || fail "metainfo saknar $b"
done
gzip -dc "$SCRATCH/x/usr/share/man/man1/tovmir-cli.1.gz" | grep -q '^\.TH' || fail "tovmir-cli.1.gz är ingen manualsida"

# Installed by dpkg into a root of its own where we may (as root), unpacked
# where not. The dependencies are the machine's: --force-depends.
mkdir -p "$SCRATCH/root/var/lib/dpkg/info" "$SCRATCH/root/var/lib/dpkg/updates"
touch "$SCRATCH/root/var/lib/dpkg/status"
if [ "$(id -u)" = 0 ]; then
  dpkg --root="$SCRATCH/root" --force-depends -i "$deb" >"$SCRATCH/dpkg" 2>&1 || fail "dpkg -i: $(cat "$SCRATCH/dpkg")"
  installed=yes
else
  dpkg-deb -x "$deb" "$SCRATCH/root"
  installed=no
fi
ROOT="$SCRATCH/root/usr"

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

grep -qx "Exec=tovmir" "$ROOT/share/applications/$ID.desktop" || fail "skrivbordsfilen startar inte tovmir"

# A purge leaves nothing of the package: only dpkg's own records remain.
if [ "$installed" = yes ]; then
  dpkg --root="$SCRATCH/root" --purge tovmir >"$SCRATCH/dpkg" 2>&1 || fail "dpkg --purge: $(cat "$SCRATCH/dpkg")"
  left=$(cd "$SCRATCH/root" && find . -mindepth 1 ! -path './var' ! -path './var/lib' ! -path './var/lib/dpkg' ! -path './var/lib/dpkg/*')
  [ -z "$left" ] || fail "kvar efter purge: $left"
fi
echo "paketet $(basename "$deb") fungerar"
