#include "common/ui/spin_edit.h"

#include <QLineEdit>

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
    if (!isNumber) {
        setValue(minimum());
        lineEdit()->setText(QString::number(minimum()));
        return minimum();
    }
    return typed;
}

} // namespace brivo::ui
