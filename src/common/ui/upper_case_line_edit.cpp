#include "common/ui/upper_case_line_edit.h"

#include <QKeyEvent>

#include <algorithm>

namespace brivo::ui {

UpperCaseLineEdit::UpperCaseLineEdit(QWidget* parent) : QLineEdit(parent)
{
    // Qt 6 sends textEdited before textChanged, so until textChanged comes
    // lastText_ holds the text the user's edit started from. The text itself
    // is read, not the signal's argument: a correction made while handling
    // textEdited lands before the edit's own textChanged.
    connect(this, &QLineEdit::textChanged, this, [this] { lastText_ = text(); });
    connect(this, &QLineEdit::textEdited, this, &UpperCaseLineEdit::fitUserEdit);
}

void UpperCaseLineEdit::keyPressEvent(QKeyEvent* event)
{
    const QString text = event->text();
    if (!text.isEmpty() && text.at(0).isPrint() && text != text.toUpper()) {
        QKeyEvent upper(event->type(), event->key(), event->modifiers(), text.toUpper(), event->isAutoRepeat(),
                        static_cast<ushort>(event->count()));
        QLineEdit::keyPressEvent(&upper);
        event->setAccepted(upper.isAccepted());
        return;
    }
    QLineEdit::keyPressEvent(event);
}

// The edit replaced what lies between a common prefix and a common suffix
// of the old and new texts; only that part is changed, with insert, so the
// edit stays one the user made (modified, undoable).
void UpperCaseLineEdit::fitUserEdit(const QString& text)
{
    const QString before = lastText_;
    const qsizetype shorter = std::min(before.size(), text.size());
    qsizetype prefix = 0;
    while (prefix < shorter && before[prefix] == text[prefix])
        ++prefix;
    qsizetype suffix = 0;
    while (suffix < shorter - prefix && before[before.size() - 1 - suffix] == text[text.size() - 1 - suffix])
        ++suffix;

    const QString inserted = text.mid(prefix, text.size() - prefix - suffix);
    const qsizetype kept = text.size() - inserted.size();
    const qsizetype room = std::max<qsizetype>(typingLimit_, before.size()) - kept;
    QString fitted = inserted.toUpper();
    if (fitted.size() > room)
        fitted.truncate(std::max<qsizetype>(room, 0));
    if (fitted == inserted)
        return;
    setSelection(static_cast<int>(prefix), static_cast<int>(inserted.size()));
    insert(fitted);
}

} // namespace brivo::ui
