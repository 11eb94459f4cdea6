#!/usr/bin/python3
"""Drives BRIVO over the accessibility bus as a screen reader would: finds
controls by name and role and fills the edit zone, then plays one scenario
(its name is the first argument; the second is the brivo to start):
  play    types a live character, plays and pauses;
  export  exports the zone to a WAV file;
  course  checks a course session, whose score the course's step follows;
  fill    fills the zone, which has the focus, with Ctrl+1: only the
          insertion is said, none of the text goes to the screen reader,
          and a key typed next does;
  chart   walks the course's chart as a table: its shape and headers, and
          each cell the arrows reach takes the screen reader's focus.
After each action, the notification must say so when read 200 ms after it
shows, as Orca reads it. Each scenario wants a BRIVO of its own: a window
left open by one would take the keys of the next. The probe starts it once
it listens: Qt asks the registry at its start which events anyone listens
to, and sends none of the others.
Exit status 0 when everything was found and heard, 1 otherwise."""
import os
import re
import subprocess
import sys

import pyatspi
from gi.repository import GLib

TIMEOUT_S = 90  # a loaded machine under the sanitizers
heard = []
spoken = []  # every notification read, for the report of a failure
actions = []  # every action taken, for that report too
inserted = []  # the text of each insertion into the zone
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


def button(caption):
    return lambda a: a.getRole() == pyatspi.ROLE_PUSH_BUTTON and a.name.replace("&", "") == caption


def press(control):
    actions.append("press " + control.name)
    control.queryAction().doAction(0)


def keys(*names, window="^ BRIVO v"):
    actions.append("keys " + " ".join(names))
    # The window manager gives the keyboard to the window under the pointer:
    # the main window's, whatever closed or opened before. The keys go in a
    # command of their own: chained after a window, xdotool sends each
    # release to that window alone when the focus has moved since the press
    # (as a key that opens a window makes it), and the server then holds the
    # key down into the next session.
    subprocess.run(["xdotool", "search", "--onlyvisible", "--name", window, "mousemove", "--window", "%1", "300", "20",
                    "windowfocus", "--sync", "%1", "sleep", "0.2"], check=False)
    subprocess.run(["xdotool", "key", *names], check=False)


def keep_trying(attempt, done):
    # On a loaded machine a key can reach the window before the window
    # manager has given it the keyboard: the attempt is made again every
    # 5 s until it has worked.
    def again():
        if done():
            return False
        attempt()
        return True
    again()
    GLib.timeout_add_seconds(5, again)


def typing(key):
    # Into the control, which takes the focus first.
    def action(control):
        before = len(heard)

        def attempt():
            control.queryComponent().grabFocus()
            GLib.timeout_add(300, lambda: keys(key) and False)
        keep_trying(attempt, lambda: len(heard) > before)
    return action


class Inserted(str):
    """A step heard as text inserted into the zone, not as a notification."""


class Focused(str):
    """A step heard as a table cell taking the focus, whose text matches it
    (a regular expression)."""


def open_by_key(key, control, then):
    # The key again every 5 s until the window is up, then one action in it.
    app = found["app"]
    state = {"done": False}

    def attempt():
        if find(app, control) is None:
            keys(key)
        GLib.timeout_add(1000, check)

    def check():
        target = find(app, control) if not state["done"] else None
        if target is not None:
            state["done"] = True
            then(app)
        return False
    keep_trying(attempt, lambda: state["done"])


def export(_):
    def fill_and_press(app):
        # A name of its own, which a second try finds free.
        find(app, named(pyatspi.ROLE_TEXT, "Fichier à écrire")).queryEditableText().setTextContents(
            os.path.join(os.environ["HOME"], "lecon-%d.wav" % os.getpid()))
        press(find(app, button("Exporter la leçon")))
    open_by_key("ctrl+t", named(pyatspi.ROLE_TEXT, "Fichier à écrire"), fill_and_press)


def course_check(_):
    def copy_and_check(app):
        press(find(app, button("Nouvelle séance")))
        find(app, named(pyatspi.ROLE_TEXT, "Votre copie de la séance")).queryEditableText().setTextContents("KM")
        press(find(app, button("Corriger la copie")))
    open_by_key("ctrl+l", button("Nouvelle séance"), copy_and_check)


CHART = named(pyatspi.ROLE_TABLE, "Taux d'erreur par caractère")


def course_chart(_):
    def walk(app):
        chart = find(app, CHART)
        table = chart.queryTable()
        shape = (table.nRows, table.nColumns, table.getColumnDescription(1), table.getAccessibleAt(1, 0).name)
        if shape != (2, 2, "Taux d'erreur", "M"):
            failures.append("the chart as a table: %r" % (shape,))
        chart.queryComponent().grabFocus()
        GLib.timeout_add(300, lambda: chart_keys("Down"))
    open_by_key("ctrl+l", CHART, walk)


def chart_keys(key):
    keys(key, window="^Cours Koch$")
    return False


# Each step: what is done, to which control, and what must then be heard.
SCENARIOS = {
    "play": [
        (typing("k"), "live", "K"),
        (press, "play", "Lecture"),
        (press, "pause", "Pause"),
    ],
    "export": [
        (export, "app", "Exportation terminée"),
    ],
    "course": [
        (course_check, "app", "Score : "),
        (lambda app: None, "app", "Pour passer à la leçon suivante"),  # the course's step, after its score
    ],
    "fill": [
        (typing("ctrl+1"), "zone", "Texte inséré : "),
        (typing("x"), "zone", Inserted("x")),
    ],
    "chart": [
        (course_chart, "app", Focused("K")),
        (lambda _: chart_keys("Right"), "app", Focused(r"\d+ %")),  # a rate, whatever the course scenario did
        (lambda _: chart_keys("Down"), "app", Focused(r"\d+ %")),
        (lambda _: chart_keys("Left"), "app", Focused("M")),
    ],
}
STEPS = SCENARIOS[sys.argv[1]]
found = {}


def next_step():
    if len(heard) == len(STEPS):
        pyatspi.Registry.stop()
        return False
    action, control, _ = STEPS[len(heard)]
    action(found[control])
    return False


def read_later(source):
    # What the screen reader reads, some 200 ms after the show.
    if len(heard) == len(STEPS):
        return False
    source.clear_cache()
    text = source.get_name()
    spoken.append(text)
    expected = STEPS[len(heard)][2]
    if not isinstance(expected, (Inserted, Focused)) and text.startswith(expected):
        heard.append(text)
        GLib.timeout_add(300, next_step)
    return False


def on_insert(event):
    try:
        if event.source.getRole() != pyatspi.ROLE_TEXT or not event.source.name.startswith("Zone d'édition"):
            return
    except GLib.GError:
        return
    if len(heard) == len(STEPS):
        return
    text = str(event.any_data)
    inserted.append(text)
    expected = STEPS[len(heard)][2]
    if isinstance(expected, Inserted) and text.lower() == expected:
        heard.append("inserted " + text)
        GLib.timeout_add(300, next_step)


def on_focus(event):
    try:
        if event.detail1 != 1 or event.source.getRole() != pyatspi.ROLE_TABLE_CELL:
            return
        text = event.source.name
    except GLib.GError:
        return
    spoken.append("focus " + text)
    if len(heard) < len(STEPS) and isinstance(STEPS[len(heard)][2], Focused) and re.fullmatch(STEPS[len(heard)][2], text):
        heard.append("focused " + text)
        GLib.timeout_add(300, next_step)


def on_showing(event):
    source = event.source
    try:
        if source is None or source.getRole() != pyatspi.ROLE_NOTIFICATION or event.detail1 != 1:
            return
    except GLib.GError:
        return  # an object already gone (a window's controls as it closes)
    if len(heard) < len(STEPS):
        GLib.timeout_add(200, read_later, source)


def drive():
    app = brivo()
    if app is None:
        return True  # not on the bus yet: try again
    controls = {
        "zone": named(pyatspi.ROLE_TEXT, "Zone d'édition"),
        "live": named(pyatspi.ROLE_TEXT, "Entrée directe"),
        "speed": named(pyatspi.ROLE_SLIDER, "Vitesse des lettres"),
        "logo": named(pyatspi.ROLE_PUSH_BUTTON, "Logo : masquer ou démasquer la zone d'édition"),
        "play": button("Générer et lire"),
        "pause": button("Pause"),
    }
    found.update({key: find(app, test) for key, test in controls.items()})
    found["app"] = app
    missing = [key for key, control in found.items() if control is None]
    if missing:
        failures.append("not found: " + ", ".join(missing))
        pyatspi.Registry.stop()
        return False
    if sys.argv[1] != "fill":
        found["zone"].queryEditableText().setTextContents("PARIS" * 40)
    GLib.timeout_add(300, next_step)
    return False


def give_up():
    app = brivo()
    zone = find(app, named(pyatspi.ROLE_TEXT, "Zone d'édition")) if app else None
    text = zone.queryText().getText(0, -1) if zone else None
    dialog = find(app, lambda a: a.getRole() in (pyatspi.ROLE_DIALOG, pyatspi.ROLE_ALERT)) if app else None
    failures.append("heard only %r of %r after %r, zone: %r, dialog: %r" % (
        heard, spoken, actions, text[:20] if text else None, dialog.name if dialog else None))
    pyatspi.Registry.stop()
    return False


pyatspi.Registry.registerEventListener(on_showing, "object:state-changed:showing")
pyatspi.Registry.registerEventListener(on_insert, "object:text-changed:insert")
pyatspi.Registry.registerEventListener(on_focus, "object:state-changed:focused")
with open(os.path.join(os.environ["HOME"], "brivo.log"), "w") as log:
    application = subprocess.Popen([sys.argv[2]], cwd=os.environ["HOME"], stdout=log, stderr=log)
GLib.timeout_add(500, drive)
GLib.timeout_add_seconds(TIMEOUT_S, give_up)
try:
    pyatspi.Registry.start()
finally:
    application.terminate()
    application.wait(30)
echoed = [text for text in inserted if text.lower() not in [step[2] for step in STEPS if isinstance(step[2], Inserted)]]
if sys.argv[1] == "fill" and echoed:
    failures.append("the zone echoed %r" % echoed)
if failures or len(heard) != len(STEPS):
    print(sys.argv[1] + ": " + ("\n".join(failures) or "heard: %r" % heard))
    sys.exit(1)
print(sys.argv[1] + ": heard: %r" % heard)
