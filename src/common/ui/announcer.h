#pragma once

#include <QLabel>

namespace brivo::ui {

// What a screen reader says without the focus moving: a label with the
// Notification role whose text is set and then shown to the accessibility
// bus (Orca says "notification ..."). It sits in the main window, one pixel
// wide, out of the way of the window's layout.
class Announcer : public QLabel {
    Q_OBJECT
public:
    explicit Announcer(QWidget* window);

    // Says `text` (a transition, not a running figure).
    void announce(const QString& text);

Q_SIGNALS:
    // Every announcement, as it is sent to the accessibility bus.
    void announced(const QString& text);
};

// Says `text` through the announcer of the main window `from` belongs to
// (its own window or one it owns); nothing when there is none.
void announce(const QWidget* from, const QString& text);

// The roles Qt cannot guess: the announcer's Notification, and the Button
// role (with its press action) of a picture that acts as a button, marked
// by setAccessibleButton. Installed once, after the application exists.
void installAccessibleRoles();

// Marks a picture as a button for screen readers: it is said as a button,
// and pressing it from the screen reader clicks it (twice when
// `doubleClick`, as the banner wants).
void setAccessibleButton(QWidget* picture, bool doubleClick = false);

} // namespace brivo::ui
