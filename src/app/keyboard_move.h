#pragma once

#include <QObject>
#include <QPoint>

class QWidget;

namespace brivo::ui {

// Moving a window with the keyboard, for window managers that ignore a
// move request: the arrows move it (8 px, 1 px with Ctrl), Enter or a click
// leaves it there, Escape puts it back. The keys go to the move alone while
// it lasts.
class KeyboardMove : public QObject {
public:
    explicit KeyboardMove(QWidget* window);

    void start();
    [[nodiscard]] bool active() const { return active_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void finish(bool keep);

    QWidget* window_;
    QPoint origin_;
    bool active_ = false;
};

} // namespace brivo::ui
