#pragma once

#include <QKeyCombination>

#include <functional>

class QObject;
class QWidget;

namespace brivo::ui {

// The text fields of `window` itself, not of its own windows (line edits, and those inside spin boxes)
// keep Qt's standard context menu, but an entry whose shortcut the window
// takes for itself ("Annuler Ctrl+Z" when Ctrl+Z goes to the edit zone)
// shows no shortcut: the chord would do something else. Returns the event
// filter that does it, a child of the window.
QObject* hideTakenShortcuts(QWidget* window, std::function<bool(QKeyCombination)> taken);

} // namespace brivo::ui
