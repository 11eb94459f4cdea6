#include "common/ui/error_box.h"

#include "common/error_text.h"
#include "common/messages.h"
#include "common/ui/dialogs.h"
#include "common/ui/widgets.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QPointer>
#include <QWidget>

namespace brivo::ui {
namespace {

Dialogs* installedDialogs = nullptr;
QPointer<QWidget> installedParent;

QString messageOf(const std::exception_ptr& error)
{
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& exception) {
        return QString::fromUtf8(exception.what());
    } catch (...) {
        return fromUtf8(messages::kUnknownError);
    }
}

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
    const QString text = QString::fromStdString(errorBoxText(message.toStdString()));
    if (installedDialogs != nullptr) {
        installedDialogs->message(installedParent, text, title(), Dialogs::Icon::Stop);
        return;
    }
    QtDialogs fallback;
    fallback.message(installedParent, text, title(), Dialogs::Icon::Stop);
}

void ErrorBox::showLater(const std::exception_ptr& error)
{
    const QString message = messageOf(error);
    QMetaObject::invokeMethod(
        QCoreApplication::instance(), [message] { show(message); }, Qt::QueuedConnection);
}

} // namespace brivo::ui
