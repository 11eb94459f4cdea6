#pragma once

#include <QPointer>
#include <QWidget>

class QPainter;

namespace brivo::ui {

// A frame around the control that has the keyboard, drawn by the program
// rather than the style: the style draws none on pictures and a faint one on
// track bars, and none at all in a window until Tab has been pressed there.
// The ring is two lines, dark outside and light inside, so that one of them
// stands out at 3:1 or more against any ground, dark themes included. It
// is a child of the control, drawn over it and blind to the mouse, so that
// it shows wherever the control is drawn.
class FocusRing : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWidth = 2; // of each of the two lines

    // Follows the application's focus from now on. Once, after the
    // application exists.
    static void install();

    // The control whose frame `target` shows, when another covers it (the
    // edit zone under its mask): while `cover` is visible, the ring goes on it.
    static void showFocusOn(QWidget* target, QWidget* cover);

    // The ring's two lines around `area`, for a part of a drawing that has
    // the keyboard (a chart's walked bar).
    static void paintFrame(QPainter& painter, const QRect& area);

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit FocusRing(QWidget* control);
    static void follow(QWidget* focused);
    static QPointer<FocusRing>& current();
};

} // namespace brivo::ui
