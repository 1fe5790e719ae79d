#!/usr/bin/python3
# SPDX-License-Identifier: MIT
# Reads an iCalendar file with Python's icalendar (python3-icalendar) and prints, as JSON, the
# UIDs of its events and each event as "date|title|description"; fails unless the calendar has
# its version and product and every event lasts whole days.
import json
import sys

import icalendar

with open(sys.argv[1], "rb") as file:
    calendar = icalendar.Calendar.from_ical(file.read())
assert calendar["VERSION"] == "2.0" and calendar["PRODID"]
events = calendar.walk("VEVENT")
assert all(event["DTSTART"].params["VALUE"] == "DATE" for event in events)
json.dump({"uids": [event["UID"] for event in events],
           "events": ["|".join([event["DTSTART"].dt.isoformat(), event["SUMMARY"],
                                event["DESCRIPTION"]]) for event in events]}, sys.stdout)
