#pragma once

#include <QMenu>

namespace brivo::ui {

// The window's system menu: restore, move, minimise, a separator, the purge
// command and close. Window managers keep the title-bar menu to themselves,
// so this one opens on a right click on the window's background or banner,
// or with Alt+Space.
class SystemMenu : public QMenu {
    Q_OBJECT
public:
    static constexpr int kPurgeCommand = 3000;
    static constexpr int kCopyCheckCommand = 3001;
    static constexpr int kConditionsCommand = 3002;
    static constexpr int kCourseCommand = 3003;
    static constexpr int kExportCommand = 3004;
    static constexpr int kSendingCommand = 3005;
    static constexpr int kDrillsCommand = 3006;

    explicit SystemMenu(QWidget* window);

    QAction* restoreItem;
    QAction* moveItem;
    QAction* minimiseItem;
    QAction* copyCheckItem;
    QAction* conditionsItem;
    QAction* courseItem;
    QAction* sendingItem;
    QAction* drillsItem;
    QAction* exportItem;
    QAction* purgeItem;
    QAction* closeItem;

Q_SIGNALS:
    // A command of the menu, by identifier: kPurgeCommand,
    // kCopyCheckCommand, kConditionsCommand, kCourseCommand, kSendingCommand,
    // kDrillsCommand or kExportCommand.
    void systemCommand(int command);

private:
    QWidget* window_;
};

} // namespace brivo::ui
