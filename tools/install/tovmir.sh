#!/bin/sh
# tovmir: starts the calendar in the user's own working folder.
#
# The program reads Const.mdb, the flags, the notes and the help from its working
# folder and writes ctry.txt there when the user closes it. The installed files
# are read-only and shared, so every user gets a folder of links to them (under
# $XDG_DATA_HOME/tovmir, else ~/.local/share/tovmir), made again at every start
# so that an upgrade's new files are seen at once; the user's ctry.txt stays.
# The help viewer needs no link: the program starts the one installed beside it.
# Where no such folder can be made (HOME unset or not writable, no
# XDG_DATA_HOME), the program runs in the shared folder itself, read-only, and
# keeps ctry.txt in the user's state folder when it can.
#   tovmir [--month YYYY-MM] [--calculator]   start the calendar
#   tovmir --prepare                           only make the folder, print its path
#   tovmir --help | --version                  the program's answer, no folder made
set -eu
HERE=$(dirname -- "$(readlink -f -- "$0")")
PREFIX=$(CDPATH= cd -- "$HERE/.." && pwd)
SHARE="$PREFIX/share/tovmir"
PROGRAM="$PREFIX/lib/tovmir/tovmir"
# Only an absolute XDG_DATA_HOME counts (the XDG base-directory rule).
case "${XDG_DATA_HOME:-}" in
  /*) WORK="$XDG_DATA_HOME/tovmir" ;;
  *) if [ -n "${HOME:-}" ]; then WORK="$HOME/.local/share/tovmir"; else WORK=""; fi ;;
esac

case "${1:-}" in
  --help|-h|--version) exec "$PROGRAM" "$1" ;;
esac
if [ ! -r "$SHARE/Const.mdb" ]; then
  echo "tovmir: referensdatabasen saknas: $SHARE/Const.mdb" >&2
  exit 1
fi
if [ -n "$WORK" ] && mkdir -p -- "$WORK" 2>/dev/null && [ -w "$WORK" ]; then
  for f in "$SHARE"/*; do
    name=$(basename -- "$f")
    # Only links of ours are replaced: a file the user put there is left alone.
    if [ -L "$WORK/$name" ] || [ ! -e "$WORK/$name" ]; then
      ln -sfn -- "$f" "$WORK/$name"
    fi
  done
else
  if [ -n "$WORK" ]; then why="$WORK kan inte skrivas"; else why="HOME är inte satt"; fi
  echo "tovmir: ingen egen arbetsmapp ($why); kalendern körs i $SHARE" >&2
  WORK=$SHARE
fi
if [ "${1:-}" = "--prepare" ]; then
  echo "$WORK"
  exit 0
fi
cd -- "$WORK"
exec "$PROGRAM" "$@"
