#pragma once

#include <QSlider>

namespace brivo::ui {

// A horizontal track bar, ticks below every 10 positions, page step 10.
// `moved` is emitted only when the user moves it (mouse or keyboard);
// setPosition, for the program, emits nothing.
class TrackBar : public QSlider {
    Q_OBJECT
public:
    TrackBar(int minimum, int maximum, int position, QWidget* parent = nullptr);

    void setPosition(int position);

Q_SIGNALS:
    void moved();
};

} // namespace brivo::ui
