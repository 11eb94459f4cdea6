#!/usr/bin/python3
"""Drives BRIVO over the accessibility bus as a screen reader would: finds
controls by name and role, types into the edit zone, presses "Générer et
lire", and waits for the notification that announces the playback.
Exit status 0 when everything was found and heard, 1 otherwise."""
import sys

import pyatspi
from gi.repository import GLib

TIMEOUT_S = 45
heard = []
failures = []


def find(root, predicate, depth=0):
    if root is None or depth > 30:
        return None
    try:
        if predicate(root):
            return root
        for child in root:
            found = find(child, predicate, depth + 1)
            if found is not None:
                return found
    except Exception:
        pass
    return None


def brivo():
    desktop = pyatspi.Registry.getDesktop(0)
    for app in desktop:
        if app is not None and app.name.lower() == "brivo":
            return app
    return None


def named(role, name):
    return lambda a: a.getRole() == role and a.name == name


def on_showing(event):
    source = event.source
    if source is None or source.getRole() != pyatspi.ROLE_NOTIFICATION or event.detail1 != 1:
        return
    # The name as it is now, not a copy that may lag behind.
    source.clear_cache()
    heard.append(source.get_name())
    if heard[-1].startswith("Lecture"):
        pyatspi.Registry.stop()


def drive():
    app = brivo()
    if app is None:
        return True  # not on the bus yet: try again
    controls = {
        "zone": named(pyatspi.ROLE_TEXT, "Zone d'édition"),
        "speed": named(pyatspi.ROLE_SLIDER, "Vitesse des lettres"),
        "logo": named(pyatspi.ROLE_PUSH_BUTTON, "Logo : masquer ou démasquer la zone d'édition"),
        "play": lambda a: a.getRole() == pyatspi.ROLE_PUSH_BUTTON and a.name.replace("&", "") == "Générer et lire",
    }
    found = {key: find(app, test) for key, test in controls.items()}
    missing = [key for key, control in found.items() if control is None]
    if missing:
        failures.append("not found: " + ", ".join(missing))
        pyatspi.Registry.stop()
        return False
    found["zone"].queryEditableText().setTextContents("PARIS")
    # The press once the text is in.
    def press():
        text = found["zone"].queryText()
        print("zone holds %r; pressing %r" % (text.getText(0, -1), found["play"].name), flush=True)
        found["play"].queryAction().doAction(0)
        return False
    GLib.timeout_add(300, press)
    return False


def give_up():
    app = brivo()
    zone = find(app, named(pyatspi.ROLE_TEXT, "Zone d'édition")) if app else None
    text = zone.queryText().getText(0, -1) if zone else None
    dialog = find(app, lambda a: a.getRole() in (pyatspi.ROLE_DIALOG, pyatspi.ROLE_ALERT)) if app else None
    failures.append("no announcement of the playback; heard: %r, zone: %r, dialog: %r"
                    % (heard, text, dialog.name if dialog else None))
    pyatspi.Registry.stop()
    return False


pyatspi.Registry.registerEventListener(on_showing, "object:state-changed:showing")
GLib.timeout_add(500, drive)
GLib.timeout_add_seconds(TIMEOUT_S, give_up)
pyatspi.Registry.start()
if failures or not any(text.startswith("Lecture") for text in heard):
    print("\n".join(failures) or "heard: %r" % heard)
    sys.exit(1)
print("heard: %r" % heard)
