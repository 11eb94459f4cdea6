#pragma once

#include <QLineEdit>

namespace brivo::ui {

// A one-line edit for upper-case input with a typing limit. Every edit the
// user makes (typing, pasting, dropping, composing) is put in upper case
// and cut so that it never lengthens the text past the limit. Text set by
// the program, through any setText, is taken as it is, even past the
// limit; typing then cannot lengthen it.
class UpperCaseLineEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit UpperCaseLineEdit(QWidget* parent = nullptr);

    void setTypingLimit(int characters) { typingLimit_ = characters; }
    int typingLimit() const { return typingLimit_; }

protected:
    // Typed letters become capitals at the keystroke, so undo never sees
    // the small letter.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void fitUserEdit(const QString& text);

    QString lastText_;
    int typingLimit_ = 32767;
};

} // namespace brivo::ui
