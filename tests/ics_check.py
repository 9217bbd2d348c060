# The calendar file of tovmir-cli read by Python's icalendar (Debian's
# python3-icalendar), as a calendar program would: every event parses, has a
# date, a summary and a unique UID, and the count is the one given.
# Usage: tovmir-cli ics ... | python3 ics_check.py COUNT
import sys

import icalendar

calendar = icalendar.Calendar.from_ical(sys.stdin.buffer.read())
events = list(calendar.walk("VEVENT"))
uids = {str(e["UID"]) for e in events}
assert len(events) == int(sys.argv[1]), f"{len(events)} events, expected {sys.argv[1]}"
assert len(uids) == len(events), "UIDs repeat"
for e in events:
    assert e["DTSTART"].dt and str(e["SUMMARY"]).strip(), e
print(len(events), "events")
