#include "common/ui/accessible_roles.h"

#include "common/ui/announcer.h"
#include "common/ui/chart_table.h"
#include "common/ui/track_bar.h"

#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QMouseEvent>

namespace brivo::ui {

namespace {

constexpr char kButtonProperty[] = "brivoAccessibleButton"; // 1: click, 2: double click
constexpr char kMaskedProperty[] = "brivoMaskedName";       // set while the editor is masked
constexpr char kSpokenProperty[] = "brivoSaysItsItem";      // a list that announces its new item

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

// A drop-down list that is not editable: named by its label (its accessible
// name or its caption), its current item given as its value and as a
// read-only text, which is where a screen reader looks for a list's value
// when it finds no selected item. Its one child is the list it opens.
class ListAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit ListAccessible(QWidget* widget) : QAccessibleWidget(widget, QAccessible::ComboBox) {}

    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Value ? item() : QAccessibleWidget::text(t);
    }
    int childCount() const override { return 1; }
    QAccessibleInterface* child(int index) const override
    {
        return index == 0 ? QAccessible::queryAccessibleInterface(list()->view()) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        return child != nullptr && child->object() == list()->view() ? 0 : -1;
    }
    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.expandable = true;
        state.expanded = list()->view()->isVisible();
        return state;
    }
    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }
    QStringList actionNames() const override
    {
        return QStringList{showMenuAction(), pressAction()} + QAccessibleWidget::actionNames();
    }
    void doAction(const QString& action) override
    {
        if (action != showMenuAction() && action != pressAction())
            QAccessibleWidget::doAction(action);
        else if (list()->view()->isVisible())
            list()->hidePopup();
        else
            list()->showPopup();
    }

    // The read-only text: the current item, with no cursor or selection.
    QString text(int start, int end) const override { return item().mid(start, end - start); }
    int characterCount() const override { return static_cast<int>(item().size()); }
    void selection(int /*index*/, int* start, int* end) const override { *start = *end = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int /*start*/, int /*end*/) override {}
    void removeSelection(int /*index*/) override {}
    void setSelection(int /*index*/, int /*start*/, int /*end*/) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int /*position*/) override {}
    QRect characterRect(int /*offset*/) const override { return {}; }
    int offsetAtPoint(const QPoint& /*point*/) const override { return -1; }
    void scrollToSubstring(int /*start*/, int /*end*/) override {}
    QString attributes(int /*offset*/, int* start, int* end) const override
    {
        *start = 0;
        *end = characterCount();
        return {};
    }

private:
    QComboBox* list() const { return static_cast<QComboBox*>(widget()); }
    QString item() const { return list()->currentText(); }
};

// A track bar: its label, and its value in the caption's units. It offers no
// numeric value: a screen reader would say that bare position on every step
// (the tone's "99, 100" for 795 and 800 Hz); the bar announces its value
// text instead.
class TrackBarAccessible : public QAccessibleWidget {
public:
    explicit TrackBarAccessible(QWidget* widget) : QAccessibleWidget(widget, QAccessible::Slider) {}
    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Value ? static_cast<const TrackBar*>(widget())->valueText()
                                       : QAccessibleWidget::text(t);
    }
};

// A screen reader says nothing when a list's item changes under the
// keyboard (Qt tells it of a new name, the unchanged label): the list
// announces its new item while it has the focus. Hooked once per list, when
// its interface is first asked for, which a focused list always has been.
void sayNewItems(QComboBox* list)
{
    if (list->property(kSpokenProperty).toBool())
        return;
    list->setProperty(kSpokenProperty, true);
    QObject::connect(list, &QComboBox::currentIndexChanged, list, [list] {
        if (list->hasFocus())
            announce(list, list->currentText(), list);
    });
}

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
    if (auto* list = qobject_cast<QComboBox*>(widget); list != nullptr && !list->isEditable()) {
        sayNewItems(list);
        return new ListAccessible(widget);
    }
    if (qobject_cast<TrackBar*>(widget) != nullptr)
        return new TrackBarAccessible(widget);
    return chartTableAccessible(widget);
}

// The editor whose text events withoutTextEcho holds back, and the handler
// that was in place before (none: Qt's own path to the screen reader).
QObject* quietEditor = nullptr;
QAccessible::UpdateHandler passedOn = nullptr;

bool isTextEvent(QAccessible::Event type)
{
    switch (type) {
    case QAccessible::TextInserted:
    case QAccessible::TextRemoved:
    case QAccessible::TextUpdated:
    case QAccessible::TextCaretMoved:
    case QAccessible::TextSelectionChanged:
    case QAccessible::ValueChanged:
        return true;
    default:
        return false;
    }
}

void quietHandler(QAccessibleEvent* event)
{
    if (event->object() == quietEditor && isTextEvent(event->type()))
        return;
    if (passedOn != nullptr) {
        passedOn(event);
        return;
    }
    // Qt's own path runs when no handler is installed.
    QAccessible::installUpdateHandler(nullptr);
    QAccessible::updateAccessibility(event);
    QAccessible::installUpdateHandler(quietHandler);
}

} // namespace

void withoutTextEcho(QWidget* editor, const std::function<void()>& edit)
{
    // Put back however `edit` ends: a handler left behind would silence the
    // editor for good.
    struct Restore {
        Restore(const Restore&) = delete;
        Restore& operator=(const Restore&) = delete;
        Restore(Restore&&) = delete;
        Restore& operator=(Restore&&) = delete;
        explicit Restore(QObject* quiet)
        {
            quietEditor = quiet;
            passedOn = QAccessible::installUpdateHandler(quietHandler);
        }
        ~Restore()
        {
            QAccessible::installUpdateHandler(passedOn);
            passedOn = nullptr;
            quietEditor = nullptr;
        }
    } const restore(editor);
    edit();
}

void forgetAccessibleInterface(QWidget* widget)
{
    if (QAccessibleInterface* made = QAccessible::queryAccessibleInterface(widget))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
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
    forgetAccessibleInterface(editor);
    QAccessibleEvent renamed(editor, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&renamed);
}

void nameSpinBoxesByTheirCaptions(QWidget* window)
{
    for (const QLabel* caption : window->findChildren<QLabel*>()) {
        if (auto* spin = qobject_cast<QAbstractSpinBox*>(caption->buddy()))
            spin->setAccessibleName(caption->text().remove(u'&'));
    }
}

void setAccessibleButton(QWidget* picture, bool doubleClick)
{
    picture->setProperty(kButtonProperty, doubleClick ? 2 : 1);
    forgetAccessibleInterface(picture);
}

} // namespace brivo::ui
