#pragma once

#include "common/control_range.h"

#include <QSpinBox>

namespace brivo::ui {

// A spin box read the way the program reads it: its value is the whole
// number in its text; a text that is not a whole number reads as the
// minimum, and the box then shows the minimum again. Typed values are kept
// to the range when the box loses the focus.
class SpinEdit : public QSpinBox {
    Q_OBJECT
public:
    SpinEdit(ControlRange range, QWidget* parent = nullptr);
    int readValue();
};

} // namespace brivo::ui
