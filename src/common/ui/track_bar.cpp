#include "common/ui/track_bar.h"

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
}

void TrackBar::setPosition(int position)
{
    const QSignalBlocker quiet(this);
    setValue(position);
}

} // namespace brivo::ui
