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
    // waiting. A text from the same `source` as the last one waiting takes
    // its place: a control's value said as it changes is said once, as it
    // now is, however fast a key repeats.
    void announce(const QString& text, const QObject* source = nullptr);
    // Says the last announcement asked for again (F4).
    void repeatLast();

Q_SIGNALS:
    // Every announcement, as it is sent to the accessibility bus.
    void announced(const QString& text);

private:
    void show(const QString& text);

    struct Waiting {
        QString text;
        const QObject* source = nullptr;
    };
    QList<Waiting> waiting_;
    QTimer* spacing_ = nullptr;
    QString last_;
};

// Says `text` through the announcer of the main window `from` belongs to
// (its own window or one it owns); nothing when there is none.
void announce(const QWidget* from, const QString& text, const QObject* source = nullptr);

} // namespace brivo::ui
