#include "app/keyboard_move.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace brivo::ui {

KeyboardMove::KeyboardMove(QWidget* window) : QObject(window), window_(window)
{}

void KeyboardMove::start()
{
    if (active_)
        return;
    active_ = true;
    origin_ = window_->pos();
    // Installed last, it sees the keys before the window's own key handler.
    qApp->installEventFilter(this);
}

void KeyboardMove::finish(bool keep)
{
    active_ = false;
    qApp->removeEventFilter(this);
    if (!keep)
        window_->move(origin_);
}

bool KeyboardMove::eventFilter(QObject* /*watched*/, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress) {
        finish(true);
        return false;
    }
    if (event->type() == QEvent::ShortcutOverride) {
        event->accept(); // the key comes as a key press, never as a shortcut
        return true;
    }
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto* key = static_cast<const QKeyEvent*>(event);
    const int step = key->modifiers().testFlag(Qt::ControlModifier) ? 1 : 8;
    QPoint by;
    switch (key->key()) {
    case Qt::Key_Left:
        by = {-step, 0};
        break;
    case Qt::Key_Right:
        by = {step, 0};
        break;
    case Qt::Key_Up:
        by = {0, -step};
        break;
    case Qt::Key_Down:
        by = {0, step};
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        finish(true);
        return true;
    case Qt::Key_Escape:
        finish(false);
        return true;
    default:
        return true; // nothing else while the window moves
    }
    window_->move(window_->pos() + by);
    return true;
}

} // namespace brivo::ui
