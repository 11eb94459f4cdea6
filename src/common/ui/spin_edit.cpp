#include "common/ui/spin_edit.h"

#include <QLineEdit>

namespace brivo::ui {

SpinEdit::SpinEdit(int minimum, int maximum, int value, QWidget* parent) : QSpinBox(parent)
{
    setRange(minimum, maximum);
    setValue(value);
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
