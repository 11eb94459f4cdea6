#include "common/ui/announcer.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QMouseEvent>
#include <QShortcut>
#include <QTimer>

namespace brivo::ui {

using namespace Qt::StringLiterals;

namespace {

constexpr char kButtonProperty[] = "brivoAccessibleButton"; // 1: click, 2: double click
constexpr char kMaskedProperty[] = "brivoMaskedName";       // set while the editor is masked

class AnnouncerAccessible : public QAccessibleWidget {
public:
    explicit AnnouncerAccessible(QWidget* widget) : QAccessibleWidget(widget, QAccessible::Notification) {}
    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name)
            return static_cast<const QLabel*>(widget())->text();
        return QAccessibleWidget::text(t);
    }
};

// A masked editor: its name, its role, and no text to read.
class MaskedEditorAccessible : public QAccessibleWidget {
public:
    explicit MaskedEditorAccessible(QWidget* widget) : QAccessibleWidget(widget, QAccessible::EditableText) {}
    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name)
            return widget()->property(kMaskedProperty).toString();
        return t == QAccessible::Value ? QString() : QAccessibleWidget::text(t);
    }
};

class PictureButtonAccessible : public QAccessibleWidget {
public:
    explicit PictureButtonAccessible(QWidget* widget) : QAccessibleWidget(widget, QAccessible::Button) {}
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& action) override
    {
        if (action != pressAction())
            return;
        QWidget* picture = widget();
        const QPointF centre(picture->width() / 2.0, picture->height() / 2.0);
        const QPointF global = picture->mapToGlobal(centre);
        const auto send = [&](QEvent::Type type) {
            QMouseEvent event(type, centre, global, Qt::LeftButton,
                              type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(picture, &event);
        };
        send(QEvent::MouseButtonPress);
        send(QEvent::MouseButtonRelease);
        if (picture->property(kButtonProperty).toInt() == 2)
            send(QEvent::MouseButtonDblClick);
    }
};

QAccessibleInterface* roleFactory(const QString& /*className*/, QObject* object)
{
    auto* widget = qobject_cast<QWidget*>(object);
    if (widget == nullptr)
        return nullptr;
    if (qobject_cast<Announcer*>(widget) != nullptr)
        return new AnnouncerAccessible(widget);
    if (widget->property(kButtonProperty).toInt() > 0)
        return new PictureButtonAccessible(widget);
    if (!widget->property(kMaskedProperty).toString().isEmpty())
        return new MaskedEditorAccessible(widget);
    return nullptr;
}

// Qt may have made the widget's interface while it was being built, before
// the factory could tell its role: that one is dropped, and the next query
// goes through the factory.
void forgetInterface(QWidget* widget)
{
    if (QAccessibleInterface* made = QAccessible::queryAccessibleInterface(widget))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
}

} // namespace

Announcer::Announcer(QWidget* window) : QLabel(window), spacing_(new QTimer(this))
{
    setObjectName(u"Annonce"_s);
    setGeometry(0, 0, 1, 1);
    forgetInterface(this);
    spacing_->setSingleShot(true);
    spacing_->setTimerType(Qt::PreciseTimer); // never early
    spacing_->setInterval(kSpacingMs);
    connect(spacing_, &QTimer::timeout, this, [this] {
        if (!waiting_.isEmpty())
            show(waiting_.takeFirst());
    });
    auto* again = new QShortcut(QKeySequence(Qt::Key_F4), this);
    again->setContext(Qt::ApplicationShortcut);
    connect(again, &QShortcut::activated, this, [this] { repeatLast(); });
}

void Announcer::announce(const QString& text)
{
    last_ = text;
    if (!spacing_->isActive()) {
        show(text);
        return;
    }
    waiting_.append(text);
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

void announce(const QWidget* from, const QString& text)
{
    // The main window is the last window up the chain of owners.
    const QWidget* top = from;
    while (top->parentWidget() != nullptr)
        top = top->parentWidget();
    if (auto* announcer = top->findChild<Announcer*>(QString(), Qt::FindDirectChildrenOnly))
        announcer->announce(text);
}

void installAccessibleRoles()
{
    static bool installed = false;
    if (!installed)
        QAccessible::installFactory(roleFactory);
    installed = true;
}

void setAccessibleMasked(QWidget* editor, bool masked, const QString& maskedName)
{
    editor->setProperty(kMaskedProperty, masked ? maskedName : QString());
    forgetInterface(editor);
    QAccessibleEvent renamed(editor, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&renamed);
}

void setAccessibleButton(QWidget* picture, bool doubleClick)
{
    picture->setProperty(kButtonProperty, doubleClick ? 2 : 1);
    forgetInterface(picture);
}

} // namespace brivo::ui
