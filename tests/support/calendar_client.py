#!/usr/bin/python3
# SPDX-License-Identifier: MIT
# Another calendar client (python3-caldav) for the tests: makes and deletes calendars, puts an
# event of its own, and lists what a calendar holds, one event a line, sorted:
# "date|title|mark", mark being "ours" for an event carrying X-QUILLORY-PUBLISHED.
# Usage: calendar_client.py SERVER USER PASSWORD make|make-tasks|delete|put|list CALENDAR [FILE]
import sys

import caldav

server, user, password, command, name = sys.argv[1:6]
client = caldav.DAVClient(server, username=user, password=password)
principal = client.principal()
if command == "make":
    principal.make_calendar(name=name.capitalize(), cal_id=name)
elif command == "make-tasks":
    principal.make_calendar(name=name.capitalize(), cal_id=name,
                            supported_calendar_component_set=["VTODO"])
else:
    calendar = principal.calendar(cal_id=name)
    if command == "delete":
        calendar.delete()
    elif command == "put":
        with open(sys.argv[6], encoding="utf-8") as file:
            calendar.save_event(file.read())
    elif command == "list":
        lines = []
        for event in calendar.events():
            component = event.icalendar_instance.walk("VEVENT")[0]
            mark = "ours" if "X-QUILLORY-PUBLISHED" in component else "other"
            lines.append("|".join([component["DTSTART"].dt.isoformat(),
                                   str(component["SUMMARY"]), mark]))
        print("\n".join(sorted(lines)))
