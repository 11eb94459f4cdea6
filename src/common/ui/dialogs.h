#pragma once

#include <QString>
#include <QStringList>

#include <optional>

class QWidget;

class QMessageBox;

namespace brivo::ui {

// What a file dialog looks like and which names it accepts.
struct FileDialogSpec {
    QString title;           // empty: the system's default title
    QStringList nameFilters; // Qt filter strings, "Description (*.a *.b)"
    QString defaultSuffix;   // added to a name typed without an extension
    bool folderMustExist = false;
    bool fileMustExist = false;
    bool refuseReadOnlyFile = false;
    bool confirmOverwrite = false;
    int selectedFilter = 1; // the filter entry shown (from 1), and the one last chosen
};

// Every modal box and file dialog of the program goes through this
// interface, so tests can answer them and record what was shown.
class Dialogs {
public:
    enum class Icon { None, Exclamation, Stop };

    virtual ~Dialogs() = default;

    // A message with one OK button.
    virtual void message(QWidget* parent, const QString& text, const QString& title, Icon icon = Icon::None) = 0;
    // OK and Cancel, exclamation icon; true for OK.
    virtual bool confirm(QWidget* parent, const QString& text, const QString& title) = 0;
    // The chosen path, or nothing on Cancel; the filter entry chosen is
    // kept in `spec`.
    virtual std::optional<QString> saveFileName(QWidget* parent, FileDialogSpec& spec, const QString& current) = 0;
    virtual std::optional<QString> openFileName(QWidget* parent, FileDialogSpec& spec, const QString& current) = 0;
};

// The folder a file dialog opens in for the name `current`: its folder, or
// the current folder when there is no name yet.
QString dialogStartFolder(const QString& current);

// A box keeps the message's own line breaks: a line that fits on the
// screen is never wrapped (Qt would leave a lone word, such as "Pour", on a
// line of its own). Longer lines still wrap.
void keepMessageLines(QMessageBox& box);

// The real boxes and dialogs.
class QtDialogs final : public Dialogs {
public:
    void message(QWidget* parent, const QString& text, const QString& title, Icon icon) override;
    bool confirm(QWidget* parent, const QString& text, const QString& title) override;
    std::optional<QString> saveFileName(QWidget* parent, FileDialogSpec& spec, const QString& current) override;
    std::optional<QString> openFileName(QWidget* parent, FileDialogSpec& spec, const QString& current) override;
};

} // namespace brivo::ui
