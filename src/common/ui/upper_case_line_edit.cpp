#include "common/ui/upper_case_line_edit.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>

namespace brivo::ui {

UpperCaseLineEdit::UpperCaseLineEdit(QWidget* parent) : QLineEdit(parent) {}

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
    if (event->matches(QKeySequence::Paste) && !isReadOnly()) {
        insertFromClipboard();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void UpperCaseLineEdit::inputMethodEvent(QInputMethodEvent* event)
{
    if (event->commitString().isEmpty()) {
        QLineEdit::inputMethodEvent(event);
        return;
    }
    QInputMethodEvent upper(event->preeditString(), event->attributes());
    upper.setCommitString(event->commitString().toUpper(), event->replacementStart(), event->replacementLength());
    QLineEdit::inputMethodEvent(&upper);
}

void UpperCaseLineEdit::insertFromClipboard()
{
    // Pasted text obeys the length limit like typed text.
    insert(QGuiApplication::clipboard()->text().toUpper());
}

} // namespace brivo::ui
