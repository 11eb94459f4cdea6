#include "common/ui/spin_edit.h"

#include <QLineEdit>

#include <algorithm>

namespace brivo::ui {

SpinEdit::SpinEdit(ControlRange range, QWidget* parent) : QSpinBox(parent)
{
    setRange(range.minimum, range.maximum);
    setValue(range.initial);
    setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
}

int SpinEdit::readValue()
{
    bool isNumber = false;
    const int typed = cleanText().trimmed().toInt(&isNumber);
    const int value = isNumber ? std::clamp(typed, minimum(), maximum()) : minimum();
    if (!isNumber || value != typed) {
        setValue(value);
        lineEdit()->setText(QString::number(value));
    }
    return value;
}

} // namespace brivo::ui
