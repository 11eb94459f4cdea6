#include "common/ui/picture_button.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

namespace brivo::ui {

PictureButton::PictureButton(const QString& caption, QWidget* parent) : QLabel(caption, parent)
{
    setFocusPolicy(Qt::TabFocus);
}

void PictureButton::paintEvent(QPaintEvent* event)
{
    QLabel::paintEvent(event);
    if (!hasFocus())
        return;
    QPainter painter(this);
    QStyleOptionFocusRect frame;
    frame.initFrom(this);
    frame.state |= QStyle::State_KeyboardFocusChange; // reached from the keyboard only
    frame.backgroundColor = palette().color(QPalette::Window);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &frame, &painter, this);
}

} // namespace brivo::ui
