#include "common/ui/error_box.h"

#include "app/shell_rules.h"
#include "common/ui/dialogs.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QPointer>
#include <QWidget>

namespace brivo::ui {
namespace {

Dialogs* installedDialogs = nullptr;
QPointer<QWidget> installedParent;

} // namespace

void ErrorBox::install(Dialogs* dialogs, QWidget* parent)
{
    installedDialogs = dialogs;
    installedParent = parent;
}

QString ErrorBox::title()
{
    return QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
}

void ErrorBox::show(const QString& message)
{
    const QString text = QString::fromStdString(shell::errorBoxText(message.toStdString()));
    if (installedDialogs != nullptr) {
        installedDialogs->message(installedParent, text, title(), Dialogs::Icon::Stop);
        return;
    }
    QtDialogs fallback;
    fallback.message(installedParent, text, title(), Dialogs::Icon::Stop);
}

void ErrorBox::show(const std::exception& error)
{
    show(QString::fromUtf8(error.what()));
}

} // namespace brivo::ui
