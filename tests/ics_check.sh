#!/bin/sh
# tovmir-cli's calendar file read back by Python's icalendar: for a year of the
# Swedish special calendar and one of today, as many events as the year listing
# has named days, each with a date, a summary and a UID of its own.
# Usage: ics_check.sh TOVMIR-CLI RUN-DIR
set -eu
CLI=$1; RUN=$2; HERE=$(dirname -- "$0")
for year in 1712 2024; do
  named=$("$CLI" --dir "$RUN" year "$year" | awk -F'\t' '$3 != 0 && $4 != ""' | wc -l)
  "$CLI" --dir "$RUN" ics "$year" | /usr/bin/python3 "$HERE/ics_check.py" "$named"
  all=$("$CLI" --dir "$RUN" year "$year" | awk -F'\t' '$4 != ""' | wc -l)
  "$CLI" --dir "$RUN" ics "$year" --names | /usr/bin/python3 "$HERE/ics_check.py" "$all"
done
