#include "common/ui/announcer.h"

#include "common/ui/accessible_roles.h"

#include <QAccessible>
#include <QShortcut>
#include <QTimer>

namespace brivo::ui {

using namespace Qt::StringLiterals;

Announcer::Announcer(QWidget* window) : QLabel(window), spacing_(new QTimer(this))
{
    setObjectName(u"Annonce"_s);
    setGeometry(0, 0, 1, 1);
    forgetAccessibleInterface(this);
    spacing_->setSingleShot(true);
    spacing_->setTimerType(Qt::PreciseTimer); // never early
    spacing_->setInterval(kSpacingMs);
    connect(spacing_, &QTimer::timeout, this, [this] {
        if (!waiting_.isEmpty())
            show(waiting_.takeFirst().text);
    });
    auto* again = new QShortcut(QKeySequence(Qt::Key_F4), this);
    again->setContext(Qt::ApplicationShortcut);
    connect(again, &QShortcut::activated, this, [this] { repeatLast(); });
}

void Announcer::announce(const QString& text, const QObject* source)
{
    last_ = text;
    if (!spacing_->isActive()) {
        show(text);
        return;
    }
    if (source != nullptr && !waiting_.isEmpty() && waiting_.last().source == source)
        waiting_.last().text = text;
    else
        waiting_.append({text, source});
    while (waiting_.size() > kMostQueued)
        waiting_.removeFirst();
}

void Announcer::repeatLast()
{
    if (!last_.isEmpty())
        announce(last_);
}

void Announcer::show(const QString& text)
{
    spacing_->start();
    setText(text);
    // The new name first, so that the bus's copy of it is current when the
    // show is heard.
    QAccessibleEvent renamed(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&renamed);
    QAccessibleEvent shown(this, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&shown);
    Q_EMIT announced(text);
}

void announce(const QWidget* from, const QString& text, const QObject* source)
{
    // The main window is the last window up the chain of owners.
    const QWidget* top = from;
    while (top->parentWidget() != nullptr)
        top = top->parentWidget();
    if (auto* announcer = top->findChild<Announcer*>(QString(), Qt::FindDirectChildrenOnly))
        announcer->announce(text, source);
}

} // namespace brivo::ui
