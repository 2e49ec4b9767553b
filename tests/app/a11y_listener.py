# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright Velkor
"""What a screen reader meets in the converter, read over AT-SPI.

Usage: a11y_listener.py WINDOW_ID

The converter runs with 0 inches to centimetres and the shortest result
form. Checks, in order:
 1. typing "5" gives, within 200 ms of the key, one description change on the
    input field reading "12.7, 1 in. = 2.54 cm" (the best of three tries, on a
    busy machine); deleting it announces the blank result;
 2. every control has a name and a specific role; the lists' separator rows
    read "separator", their headers are described as headings;
 3. the context menu reads the same at its first and its second opening, and
    moving onto its first entry sends a focus event for it each time;
 4. the About window and Find Unit are named.
Prints what failed and exits 1, else exits 0.
"""
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

window_id = sys.argv[1]
failures = []
events = []  # (time, type, source role, source name, source description, detail)


def fail(message):
    print("FAIL:", message, flush=True)
    failures.append(message)


def on_event(event):
    try:
        source = event.source
        events.append((time.monotonic(), event.type, source.getRole(), source.name, source.description,
                       event.detail1, [c.name if c is not None else None for c in source]
                       if source.getRole() == pyatspi.ROLE_POPUP_MENU else None))
    except Exception as error:  # a source gone before it was read
        events.append((time.monotonic(), event.type, None, None, None, event.detail1, None))


for kind in ("object:property-change:accessible-description", "object:state-changed:showing", "focus:"):
    pyatspi.Registry.registerEventListener(on_event, kind)


def pump(seconds):
    """Lets events arrive for `seconds`."""
    context = GLib.MainContext.default()
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        while context.pending():
            context.iteration(False)
        time.sleep(0.005)


def xdotool(*args):
    subprocess.run(["xdotool", *args], check=True)


def wait_for(match, since, seconds):
    """The first event after `since` for which match(event) holds, within `seconds`."""
    end = time.monotonic() + seconds
    while True:
        for event in events:
            if event[0] >= since and match(event):
                return event
        if time.monotonic() > end:
            return None
        pump(0.01)


def application():
    for _ in range(200):
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.name == "quantaro":
                return app
        time.sleep(0.1)
    return None


app = application()
if app is None:
    print("FAIL: the converter is not on the accessibility bus")
    sys.exit(1)
dialog = app[0]
pump(0.5)

# 1. Spoken results.
description_changes = lambda e: (e[1].startswith("object:property-change:accessible-description") and e[2] == pyatspi.ROLE_TEXT
                                and e[3] == "Convert:")
wanted = ("12.7", "1 in. = 2.54 cm")
best = None
for attempt in range(3):
    pump(0.3)
    sent = time.monotonic()
    xdotool("key", "5")
    heard = wait_for(lambda e: description_changes(e) and all(w in (e[4] or "") for w in wanted), sent, 5)
    if heard is None:
        fail("typing 5: no description change with %s; heard %s" % (wanted, [e[4] for e in events if description_changes(e)]))
        break
    delay = heard[0] - sent
    best = delay if best is None else min(best, delay)
    pump(0.3)
    count = sum(1 for e in events if e[0] >= sent and description_changes(e))
    if count != 1:
        fail("typing 5: %d description changes, expected one" % count)
    if heard[4] != "12.7, 1 in. = 2.54 cm":
        fail("typing 5: the description reads %r" % heard[4])
    sent = time.monotonic()
    xdotool("key", "BackSpace")
    if wait_for(lambda e: description_changes(e) and e[4] == "", sent, 5) is None:
        fail("deleting the 5 was not announced")
    if best <= 0.2:
        break
if best is not None:
    print("description change %.0f ms after the key" % (best * 1000))
    if best > 0.2:
        fail("the result was announced %.0f ms after the key, more than 200 ms" % (best * 1000))

# 2. Names and roles, with a result showing so that the info line has text.
xdotool("key", "5")
pump(0.5)
unspecific = {pyatspi.ROLE_UNKNOWN, pyatspi.ROLE_FILLER, pyatspi.ROLE_PANEL, pyatspi.ROLE_INVALID}
if not dialog.name or dialog.getRole() != pyatspi.ROLE_DIALOG:
    fail("the window: %r, %s" % (dialog.name, dialog.getRoleName()))
roles = {}
for control in dialog:
    roles.setdefault(control.getRole(), []).append(control.name)
    if not control.name or control.getRole() in unspecific:
        fail("a control without a name or a specific role: %r, %s" % (control.name, control.getRoleName()))
if len(roles.get(pyatspi.ROLE_TEXT, [])) != 2 or len(roles.get(pyatspi.ROLE_COMBO_BOX, [])) != 2:
    fail("expected two text fields and two lists, found %s" % {pyatspi.Role(r).value_nick: n for r, n in roles.items()})
for combo in (c for c in dialog if c.getRole() == pyatspi.ROLE_COMBO_BOX):
    rows = combo[0]
    if rows.getRole() != pyatspi.ROLE_LIST or rows.childCount != 238 or not rows.name:
        fail("a list's drop-down: %s %r with %d children" % (rows.getRoleName(), rows.name, rows.childCount))
        continue
    names = [rows[i].name for i in range(rows.childCount)]
    descriptions = [rows[i].description for i in range(rows.childCount)]
    # From the catalogue: 26 separator lines and 4 blank rows; 27 headers.
    if names.count("separator") != 30:
        fail("%d rows read as separators, expected 30" % names.count("separator"))
    if descriptions.count("heading") != 27:
        fail("%d rows described as headings, expected 27" % descriptions.count("heading"))
    if any(not n.strip() or set(n.strip()) <= set("_-") for n in names):
        fail("a row reads as nothing or as a run of lines")

# 3. The context menu, twice.
readings = []
for opening in range(2):
    since = time.monotonic()
    xdotool("mousemove", "--window", window_id, "5", "5", "click", "3")
    shown = wait_for(lambda e: e[1].startswith("object:state-changed:showing") and e[2] == pyatspi.ROLE_POPUP_MENU
                     and e[5] == 1, since, 10)
    if shown is None:
        fail("opening %d: no menu shown" % (opening + 1))
        break
    if not shown[3]:
        fail("the context menu has no name")
    readings.append(shown[6])
    since = time.monotonic()
    xdotool("key", "Down")
    if wait_for(lambda e: e[1].startswith("focus") and e[2] == pyatspi.ROLE_MENU_ITEM and e[3] == "About...",
                since, 10) is None:
        fail("opening %d: no focus event on the first entry" % (opening + 1))
    xdotool("key", "Escape")
    pump(0.3)
if len(readings) == 2:
    entries = [n for n in readings[0] if n]
    if len(entries) < 7 or None in readings[0]:
        fail("the first opening reads %s" % readings[0])
    if readings[1] != readings[0]:
        fail("the menu read %s at its first opening, %s at its second" % (readings[0], readings[1]))

# 4. The About window and Find Unit.
xdotool("key", "F1")
about = None
for _ in range(100):
    about = next((w for w in app if w is not None and w.getRole() == pyatspi.ROLE_DIALOG and w.name != dialog.name), None)
    if about is not None:
        break
    pump(0.1)
if about is None or not about.name.startswith("About") or "Unit converter" not in about.description:
    fail("the About window: %r" % (about and (about.name, about.description)))
xdotool("key", "Escape")
pump(0.5)
since = time.monotonic()
xdotool("key", "ctrl+f")
finder = wait_for(lambda e: e[1].startswith("object:state-changed:showing") and e[5] == 1 and e[2] == pyatspi.ROLE_FRAME,
                  since, 10)
if finder is None or finder[3] != "Find Unit":
    fail("Find Unit's popup: %s" % [e[1:5] for e in events if e[0] >= since])
xdotool("key", "Escape")

sys.exit(1 if failures else 0)
