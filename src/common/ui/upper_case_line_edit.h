#pragma once

#include <QLineEdit>

namespace brivo::ui {

// A one-line edit whose typed input is forced to upper case, as it is
// typed; text set by the program is taken as it is. The typing limit keeps
// what the user types to a number of characters, but a longer text set by
// the program is kept whole (typing then cannot lengthen it).
class UpperCaseLineEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit UpperCaseLineEdit(QWidget* parent = nullptr);

    void setTypingLimit(int characters);
    void setText(const QString& text);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;

private:
    void insertFromClipboard();
    void fitLimit();

    int typingLimit_ = 32767;
};

} // namespace brivo::ui
