#pragma once

#include <QStringList>
#include <QWidget>

#include <filesystem>

class QPushButton;
class QTextEdit;

namespace brivo::help::ui {

// The help window: modeless, hidden until asked for, laid out at 120
// pixels an inch and scaled to the screen's density. Its text is the help
// file of the start folder when there is one, else the built-in lines.
class TForm2 : public QWidget {
    Q_OBJECT
public:
    TForm2(const std::filesystem::path& startFolder, QWidget* parent = nullptr);

    // Creation steps: fills the text; run once by the constructor.
    void FormCreate();
    // Shows the window (first at 234, 117), or brings it to the front.
    // Shows the help in front; `activate` false leaves the keyboard focus
    // where it is.
    void showHelp(bool activate = true);
    void BoutonFermerAideClick();

    QTextEdit* Aide = nullptr;
    QPushButton* BoutonFermerAide = nullptr;

protected:
    // Escape hides the window and gives the keyboard back to its owner.
    void keyPressEvent(QKeyEvent* event) override;

private:
    int scaled(int pixels) const;
    void fitFontToWidestLine(const QStringList& lines);

    std::filesystem::path startFolder_;
    double scale_ = 1.0;
    bool placed_ = false;
};

} // namespace brivo::help::ui
