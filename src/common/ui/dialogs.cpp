#include "common/ui/dialogs.h"

#include "common/ui/french_file_listing.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QMessageBox>
#include <QScreen>

#include <algorithm>

namespace brivo::ui {
namespace {

using namespace Qt::StringLiterals;

QMessageBox::Icon toQt(Dialogs::Icon icon)
{
    switch (icon) {
    case Dialogs::Icon::Exclamation:
        return QMessageBox::Warning;
    case Dialogs::Icon::Stop:
        return QMessageBox::Critical;
    case Dialogs::Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

// Why a chosen name cannot be taken, or an empty text when it can.
QString refusal(const FileDialogSpec& spec, const QString& path)
{
    const QFileInfo info(path);
    if (spec.folderMustExist && !info.absoluteDir().exists())
        return u"Le dossier « %1 » n'existe pas."_s.arg(QDir::toNativeSeparators(info.absolutePath()));
    if (spec.fileMustExist && !info.exists())
        return u"Le fichier « %1 » n'existe pas."_s.arg(info.fileName());
    if (spec.refuseReadOnlyFile && info.exists() && !info.isWritable())
        return u"Le fichier « %1 » est en lecture seule."_s.arg(info.fileName());
    return {};
}

} // namespace

QString dialogStartFolder(const QString& current)
{
    // An empty name has no folder: QFileInfo would give "", which the dialog
    // takes as the list of drives.
    return current.isEmpty() ? QDir::currentPath() : QFileInfo(current).absolutePath();
}

namespace {

std::optional<QString> runFileDialog(QWidget* parent, FileDialogSpec& spec, const QString& current,
                                     QFileDialog::AcceptMode mode)
{
    QFileDialog dialog(parent, spec.title);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setProxyModel(new FrenchFileListing(&dialog));
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setNameFilters(spec.nameFilters);
    if (spec.selectedFilter >= 1 && spec.selectedFilter <= spec.nameFilters.size())
        dialog.selectNameFilter(spec.nameFilters.at(spec.selectedFilter - 1));
    dialog.setDefaultSuffix(spec.defaultSuffix);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !spec.confirmOverwrite);
    dialog.setDirectory(dialogStartFolder(current));
    dialog.selectFile(QFileInfo(current).fileName());
    while (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
        const QString chosen = dialog.selectedFiles().constFirst();
        const QString why = refusal(spec, chosen);
        if (why.isEmpty()) {
            spec.selectedFilter = static_cast<int>(spec.nameFilters.indexOf(dialog.selectedNameFilter())) + 1;
            return chosen;
        }
        QMessageBox::warning(&dialog, spec.title.isEmpty() ? dialog.windowTitle() : spec.title, why);
    }
    return std::nullopt;
}

} // namespace

void keepMessageLines(QMessageBox& box)
{
    const QScreen* screen = box.screen();
    const auto* label = box.findChild<QLabel*>(u"qt_msgbox_label"_s);
    if (screen == nullptr || label == nullptr || Qt::mightBeRichText(box.text()))
        return;
    const QFontMetrics metrics(label->font());
    // The widest a box grows (Qt's own limit), less its icon and margins.
    const int screenWidth = screen->availableGeometry().width();
    const int room = (screenWidth <= 1024 ? screenWidth : std::min(screenWidth - 480, 1000)) - 150;
    const QStringList lines = box.text().split(u'\n');
    for (const QString& line : lines)
        if (metrics.horizontalAdvance(line) > room)
            return;
    // QMessageBox wraps past half the screen or 500 px, whatever the
    // label's wrapping; text that cannot break is measured whole instead.
    box.setTextFormat(Qt::RichText);
    box.setText(u"<p style=\"white-space:pre\">"_s + box.text().toHtmlEscaped().replace(u'\n', u"<br>"_s) + u"</p>"_s);
}

void QtDialogs::message(QWidget* parent, const QString& text, const QString& title, Icon icon)
{
    QMessageBox box(toQt(icon), title, text, QMessageBox::Ok, parent);
    keepMessageLines(box);
    box.exec();
}

bool QtDialogs::confirm(QWidget* parent, const QString& text, const QString& title)
{
    QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::Ok | QMessageBox::Cancel, parent);
    keepMessageLines(box);
    return box.exec() == QMessageBox::Ok;
}

std::optional<QString> QtDialogs::saveFileName(QWidget* parent, FileDialogSpec& spec, const QString& current)
{
    return runFileDialog(parent, spec, current, QFileDialog::AcceptSave);
}

std::optional<QString> QtDialogs::openFileName(QWidget* parent, FileDialogSpec& spec, const QString& current)
{
    return runFileDialog(parent, spec, current, QFileDialog::AcceptOpen);
}

} // namespace brivo::ui
