#include "common/ui/track_bar.h"

#include "common/ui/announcer.h"

#include <QFocusEvent>
#include <QSignalBlocker>

namespace brivo::ui {

TrackBar::TrackBar(int minimum, int maximum, int position, QWidget* parent) : QSlider(Qt::Horizontal, parent)
{
    setRange(minimum, maximum);
    setValue(position);
    setPageStep(10);
    setSingleStep(1);
    setTickInterval(10);
    setTickPosition(QSlider::TicksBelow);
    connect(this, &QSlider::valueChanged, this, &TrackBar::moved);
    valueAfterFocus_.setSingleShot(true);
    valueAfterFocus_.setInterval(kValueAfterFocusMs);
    connect(&valueAfterFocus_, &QTimer::timeout, this, [this] {
        if (hasFocus())
            announce(this, valueText_, this);
    });
}

void TrackBar::setPosition(int position)
{
    const QSignalBlocker quiet(this);
    setValue(position);
}

void TrackBar::setValueText(const QString& text)
{
    if (text == valueText_)
        return;
    valueText_ = text;
    if (hasFocus())
        announce(this, text, this);
}

void TrackBar::focusInEvent(QFocusEvent* event)
{
    QSlider::focusInEvent(event);
    const Qt::FocusReason reason = event->reason();
    // Once the screen reader has said the bar itself, which Qt tells it
    // after this event.
    if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason || reason == Qt::ShortcutFocusReason)
        valueAfterFocus_.start();
}

} // namespace brivo::ui
