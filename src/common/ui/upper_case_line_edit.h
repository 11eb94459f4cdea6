#pragma once

#include <QLineEdit>

namespace brivo::ui {

// A one-line edit whose typed input is forced to upper case, as it is
// typed; text set by the program is taken as it is.
class UpperCaseLineEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit UpperCaseLineEdit(QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;

private:
    void insertFromClipboard();
};

} // namespace brivo::ui
