#!/usr/bin/python3
# SPDX-License-Identifier: MIT
# Reads an iCalendar file with Python's icalendar (Debian python3-icalendar) and prints what it
# holds as JSON: the calendar's version and product, and each event's fields as icalendar gives
# them back.
import json
import sys

import icalendar

with open(sys.argv[1], "rb") as file:
    calendar = icalendar.Calendar.from_ical(file.read())
events = [
    {
        "uid": str(event["UID"]),
        "date": event["DTSTART"].dt.isoformat(),
        "allDay": event["DTSTART"].params.get("VALUE") == "DATE",
        "title": str(event["SUMMARY"]),
        "description": str(event["DESCRIPTION"]),
    }
    for event in calendar.walk("VEVENT")
]
json.dump({"version": str(calendar["VERSION"]), "prodid": str(calendar["PRODID"]),
           "events": events}, sys.stdout)
