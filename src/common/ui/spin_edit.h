#pragma once

#include "common/control_range.h"

#include <QSpinBox>

namespace brivo::ui {

// A spin box read the way the program reads it: its value is the whole
// number in its text, kept to the range as the box itself does when it
// loses the focus; a text that is not a whole number reads as the minimum.
// Whatever is read, the box then shows.
class SpinEdit : public QSpinBox {
    Q_OBJECT
public:
    SpinEdit(ControlRange range, QWidget* parent = nullptr);
    int readValue();
};

} // namespace brivo::ui
