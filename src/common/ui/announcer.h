#pragma once

#include <QLabel>

class QTimer;

namespace brivo::ui {

// What a screen reader says without the focus moving: a label with the
// Notification role whose text is set and then shown to the accessibility
// bus (Orca says "notification ..."). It sits in the main window, one pixel
// wide, out of the way of the window's layout. Announcements queue: each
// stays up kSpacingMs before the next replaces it, so that a screen reader
// has read it (Orca reads a notification some 200 ms after it shows). F4,
// in every window of the program, says the last one again.
class Announcer : public QLabel {
    Q_OBJECT
public:
    static constexpr int kSpacingMs = 700;
    static constexpr int kMostQueued = 8; // older ones are dropped past it

    explicit Announcer(QWidget* window);

    // Says `text` (a transition, not a running figure), after those still
    // waiting.
    void announce(const QString& text);
    // Says the last announcement asked for again (F4).
    void repeatLast();

Q_SIGNALS:
    // Every announcement, as it is sent to the accessibility bus.
    void announced(const QString& text);

private:
    void show(const QString& text);

    QStringList waiting_;
    QTimer* spacing_ = nullptr;
    QString last_;
};

// Says `text` through the announcer of the main window `from` belongs to
// (its own window or one it owns); nothing when there is none.
void announce(const QWidget* from, const QString& text);

// The roles Qt cannot guess: the announcer's Notification, and the Button
// role (with its press action) of a picture that acts as a button, marked
// by setAccessibleButton. Installed once, after the application exists.
void installAccessibleRoles();

// While `masked`, a screen reader gets no text from `editor`: only its
// name, `maskedName`, so that the exercise it hides is not read aloud.
void setAccessibleMasked(QWidget* editor, bool masked, const QString& maskedName);

// Marks a picture as a button for screen readers: it is said as a button,
// and pressing it from the screen reader clicks it (twice when
// `doubleClick`, as the banner wants).
void setAccessibleButton(QWidget* picture, bool doubleClick = false);

} // namespace brivo::ui
