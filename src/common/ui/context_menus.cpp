#include "common/ui/context_menus.h"

#include <QAction>
#include <QChildEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <QMenu>

namespace brivo::ui {

namespace {

// Watches a text field for the context menu it creates: a child QMenu,
// polished as it is shown, when its entries are all there.
class TakenShortcutFilter : public QObject {
public:
    TakenShortcutFilter(QObject* parent, std::function<bool(QKeyCombination)> taken)
        : QObject(parent), taken_(std::move(taken))
    {}

protected:
    bool eventFilter(QObject* /*watched*/, QEvent* event) override
    {
        if (event->type() == QEvent::ChildPolished)
            if (auto* menu = qobject_cast<QMenu*>(static_cast<QChildEvent*>(event)->child()))
                strip(menu);
        return false;
    }

private:
    void strip(QMenu* menu) const
    {
        for (QAction* action : menu->actions()) {
            const QString text = action->text();
            const qsizetype tab = text.indexOf(u'\t');
            if (tab < 0)
                continue;
            const QKeySequence shortcut = QKeySequence::fromString(text.mid(tab + 1), QKeySequence::NativeText);
            if (!shortcut.isEmpty() && taken_(shortcut[0]))
                action->setText(text.left(tab));
        }
    }

    std::function<bool(QKeyCombination)> taken_;
};

} // namespace

QObject* hideTakenShortcuts(QWidget* window, std::function<bool(QKeyCombination)> taken)
{
    auto* filter = new TakenShortcutFilter(window, std::move(taken));
    for (QLineEdit* field : window->findChildren<QLineEdit*>())
        if (field->window() == window)
            field->installEventFilter(filter);
    return filter;
}

} // namespace brivo::ui
