#pragma once

class QWidget;

namespace brivo::ui {

// Gives a French accessible name to every control of the window and of its
// own windows (help, copy check, conditions, course) that has no caption
// for a screen reader to read: the edits, spin boxes, track bars, grids and
// pictures that act as buttons. Where the control has a hint, it becomes
// the accessible description. The captions beside spin boxes and entries
// become their buddies. Captions, hints and layout do not change.
void nameControls(QWidget* window);

} // namespace brivo::ui
