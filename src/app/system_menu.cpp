#include "app/system_menu.h"

#include "app/keyboard_move.h"

#include <QShortcut>
#include <QWindow>

namespace brivo::ui {

using namespace Qt::StringLiterals;

SystemMenu::SystemMenu(QWidget* window) : QMenu(window), window_(window)
{
    setObjectName(u"SystemMenu"_s);
    restoreItem = addAction(u"&Restaurer"_s);
    moveItem = addAction(u"&Déplacer"_s);
    minimiseItem = addAction(u"Réd&uire"_s);
    addSeparator();
    copyCheckItem = addAction(u"Contrôle de la copie...\tCtrl+K"_s);
    conditionsItem = addAction(u"Conditions de réception...\tCtrl+J"_s);
    courseItem = addAction(u"Cours Koch...\tCtrl+L"_s);
    sendingItem = addAction(u"Manipulation...\tCtrl+P"_s);
    drillsItem = addAction(u"Exercices...\tCtrl+I"_s);
    exportItem = addAction(u"Exporter...\tCtrl+T"_s);
    purgeItem = addAction(u"P&urger le registre et quitter"_s);
    closeItem = addAction(u"&Fermer\tAlt+F4"_s);
    QFont bold = closeItem->font();
    bold.setBold(true);
    closeItem->setFont(bold);

    connect(this, &QMenu::aboutToShow, this,
            [this] { restoreItem->setEnabled(window_->isMinimized() || window_->isMaximized()); });
    connect(restoreItem, &QAction::triggered, this, [this] { window_->showNormal(); });
    // A window manager that ignores the move request (twm) leaves the move
    // to the keyboard.
    auto* keyboardMove = new KeyboardMove(window);
    connect(moveItem, &QAction::triggered, this, [this, keyboardMove] {
        QWindow* handle = window_->windowHandle();
        if (handle == nullptr || !handle->startSystemMove())
            keyboardMove->start();
    });
    connect(minimiseItem, &QAction::triggered, this, [this] { window_->showMinimized(); });
    connect(copyCheckItem, &QAction::triggered, this, [this] { Q_EMIT systemCommand(kCopyCheckCommand); });
    connect(conditionsItem, &QAction::triggered, this, [this] { Q_EMIT systemCommand(kConditionsCommand); });
    connect(courseItem, &QAction::triggered, this, [this] { Q_EMIT systemCommand(kCourseCommand); });
    connect(sendingItem, &QAction::triggered, this, [this] { Q_EMIT systemCommand(kSendingCommand); });
    connect(drillsItem, &QAction::triggered, this, [this] { Q_EMIT systemCommand(kDrillsCommand); });
    connect(exportItem, &QAction::triggered, this, [this] { Q_EMIT systemCommand(kExportCommand); });
    connect(purgeItem, &QAction::triggered, this, [this] { Q_EMIT systemCommand(kPurgeCommand); });
    connect(closeItem, &QAction::triggered, this, [this] { window_->close(); });

    // Closing does not wait for the window manager's own binding.
    auto* altF4 = new QShortcut(QKeySequence(u"Alt+F4"_s), window);
    connect(altF4, &QShortcut::activated, window, &QWidget::close);
    auto* altSpace = new QShortcut(QKeySequence(u"Alt+Space"_s), window);
    connect(altSpace, &QShortcut::activated, this, [this] { popup(window_->mapToGlobal(QPoint(0, 0))); });
}

} // namespace brivo::ui
