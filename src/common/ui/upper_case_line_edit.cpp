#include "common/ui/upper_case_line_edit.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>

#include <algorithm>

namespace brivo::ui {

UpperCaseLineEdit::UpperCaseLineEdit(QWidget* parent) : QLineEdit(parent)
{
    connect(this, &QLineEdit::textChanged, this, &UpperCaseLineEdit::fitLimit);
}

void UpperCaseLineEdit::setTypingLimit(int characters)
{
    typingLimit_ = characters;
    fitLimit();
}

void UpperCaseLineEdit::setText(const QString& text)
{
    setMaxLength(std::max(typingLimit_, static_cast<int>(text.size())));
    QLineEdit::setText(text);
}

// Changing the limit resets the modified flag, so it changes only when
// it must.
void UpperCaseLineEdit::fitLimit()
{
    const int limit = std::max(typingLimit_, static_cast<int>(text().size()));
    if (limit != maxLength())
        setMaxLength(limit);
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
