#include "common/ui/widgets.h"

#include <QComboBox>
#include <QEvent>
#include <QFontInfo>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QScreen>
#include <QTabBar>
#include <QTabWidget>
#include <QVariant>

#include <algorithm>
#include <limits>

namespace brivo::ui {

QString fromUtf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString fromCodePoints(const std::u32string& text)
{
    return QString::fromUcs4(text.data(), static_cast<qsizetype>(text.size()));
}

QString fromCodePoint(char32_t c)
{
    return QString::fromUcs4(&c, 1);
}

void applySpec(QWidget* widget, const ControlSpec& spec)
{
    widget->setObjectName(QString::fromLatin1(spec.name));
    if (spec.bounds.width > 0)
        widget->setGeometry(spec.rect());
    else
        widget->move(spec.bounds.left, spec.bounds.top);
    if (!spec.hint.empty())
        widget->setToolTip(fromUtf8(spec.hint));
}

QPushButton* makeButton(QWidget* parent, const ControlSpec& spec)
{
    auto* button = place(new QPushButton(fromUtf8(spec.caption), parent), spec);
    button->setAutoDefault(false);
    return button;
}

QLabel* makeLabel(QWidget* parent, const ControlSpec& spec)
{
    auto* label = place(new QLabel(fromUtf8(spec.caption), parent), spec);
    if (spec.bounds.width == 0) {
        label->adjustSize();
    } else if (label->sizeHint().width() > label->width()) {
        // A caption is never cut: where the system's font is wider than the
        // one the layout was drawn for, the label grows to the right.
        label->resize(label->sizeHint().width(), label->height());
    }
    return label;
}

namespace {

// The room from `label` to the nearest control on its right, on its row.
int roomBeside(const QLabel* label)
{
    int room = std::numeric_limits<int>::max();
    const QRect own = label->geometry();
    for (QObject* child : label->parentWidget()->children()) {
        const auto* other = qobject_cast<QWidget*>(child);
        if (other == nullptr || other == label || other->isWindow() || other->x() <= own.x())
            continue;
        if (other->y() < own.bottom() && other->geometry().bottom() > own.y())
            room = std::min(room, other->x() - own.x());
    }
    return room;
}

} // namespace

void narrowCrowdedCaptions(QWidget* window)
{
    for (QLabel* label : window->findChildren<QLabel*>()) {
        if (label->text().isEmpty() || label->parentWidget()->layout() != nullptr)
            continue;
        const int room = roomBeside(label);
        const int needed = label->sizeHint().width();
        if (needed <= room || room <= 0)
            continue;
        // Glyph advances are rounded: the width does not follow the
        // stretch exactly.
        QFont narrower = label->font();
        for (int stretch = std::min(99, 100 * room / needed); stretch >= 75; --stretch) {
            narrower.setStretch(stretch);
            label->setFont(narrower);
            if (label->sizeHint().width() <= room)
                break;
        }
        label->resize(label->sizeHint().width(), label->height());
    }
}

void narrowTabsBefore(QTabWidget* pages, int right)
{
    QTabBar* tabs = pages->tabBar();
    const auto end = [&] { return tabs->mapTo(pages->window(), tabs->tabRect(tabs->count() - 1).topRight()).x(); };
    QFont narrower = tabs->font();
    for (int stretch = 99; stretch >= 75 && end() >= right; --stretch) {
        narrower.setStretch(stretch);
        tabs->setFont(narrower);
    }
    // Past that, a smaller size: a large font (or a scaled screen) still
    // leaves the box beside the tabs whole.
    while (end() >= right && QFontInfo(narrower).pixelSize() > 6) {
        narrower.setPixelSize(QFontInfo(narrower).pixelSize() - 1);
        tabs->setFont(narrower);
    }
}

QLabel* makeStaticText(QWidget* parent, const ControlSpec& spec, Border border)
{
    auto* text = makeLabel(parent, spec);
    text->setAlignment(Qt::AlignCenter);
    if (border == Border::Sunken) {
        text->setFrameShape(QFrame::Panel);
        text->setFrameShadow(QFrame::Sunken);
    }
    return text;
}

QFrame* makeBevel(QWidget* parent, const ControlSpec& spec)
{
    auto* rule = new QFrame(parent);
    rule->setFrameShape(QFrame::VLine);
    rule->setFrameShadow(QFrame::Sunken);
    ControlSpec thin = spec;
    thin.bounds.width = 2;
    return place(rule, thin);
}

QComboBox* makeDropDown(QWidget* parent, const ControlSpec& spec, const QStringList& items, int visibleItems)
{
    auto* box = place(new QComboBox(parent), spec);
    box->addItems(items);
    box->setMaxVisibleItems(visibleItems);
    return box;
}

namespace {

// The outer frame of a window: once framed, the window manager's; before,
// the owner's margins (same window manager) around the size it will open at.
QRect outerFrame(const QWidget* window, QPoint at)
{
    if (window->isVisible() && window->frameGeometry() != window->geometry())
        return {at, window->frameGeometry().size()};
    QSize margins;
    if (const QWidget* owner = window->parentWidget())
        margins = owner->window()->frameGeometry().size() - owner->window()->size();
    const QSize client = window->testAttribute(Qt::WA_Resized) ? window->size() : window->sizeHint();
    return {at, client.expandedTo(window->minimumSize()) + margins};
}

QPoint insideScreen(const QWidget* window, QPoint at)
{
    const QScreen* screen = window->screen();
    if (screen == nullptr)
        return at;
    const QRect area = screen->availableGeometry();
    const QRect outer = outerFrame(window, at);
    return {std::clamp(at.x(), area.left(), std::max(area.left(), area.x() + area.width() - outer.width())),
            std::clamp(at.y(), area.top(), std::max(area.top(), area.y() + area.height() - outer.height()))};
}

// A window is never larger than the screen's available area, frame
// included.
void fitScreen(QWidget* window)
{
    const QScreen* screen = window->screen();
    if (screen == nullptr || !window->testAttribute(Qt::WA_Resized))
        return;
    const QRect outer = outerFrame(window, window->pos());
    const QSize most = screen->availableGeometry().size() - (outer.size() - window->size());
    if (window->width() > most.width() || window->height() > most.height())
        window->resize(window->size().boundedTo(most));
}

// Brings a window back inside the screen when it grows past its edge.
class KeptOnScreen : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Resize) {
            auto* window = static_cast<QWidget*>(watched);
            fitScreen(window);
            const QPoint at = window->frameGeometry().topLeft();
            if (const QPoint inside = insideScreen(window, at); inside != at)
                window->move(inside);
        }
        return false;
    }
};

} // namespace

void showOverParent(QWidget* window)
{
    static constexpr char kPlaced[] = "brivoPlaced";
    if (!window->property(kPlaced).toBool() && window->parentWidget() != nullptr) {
        const QWidget* owner = window->parentWidget()->window();
        fitScreen(window);
        window->move(insideScreen(window, owner->frameGeometry().topLeft() + QPoint(48, 48)));
        window->installEventFilter(new KeptOnScreen(window));
        window->setProperty(kPlaced, true);
    }
    window->show();
    window->raise();
    window->activateWindow();
}

bool isCorrectKey(const QKeyEvent* event)
{
    return (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
           event->modifiers().testFlag(Qt::ControlModifier);
}

void placeOnScreen(QWidget* window, QPoint at)
{
    fitScreen(window);
    window->move(insideScreen(window, at));
    window->installEventFilter(new KeptOnScreen(window));
}

void useFrenchNumbers(QWidget* window)
{
    window->setLocale(QLocale(QLocale::French, QLocale::France));
}

void hideToOwner(QWidget* window)
{
    window->hide();
    if (QWidget* owner = window->parentWidget()) {
        owner->window()->raise();
        owner->window()->activateWindow();
    }
}

bool hideOnEscape(QWidget* window, const QKeyEvent* event)
{
    if (event->key() != Qt::Key_Escape)
        return false;
    hideToOwner(window);
    return true;
}

void useButtonFace(QWidget* widget)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Button));
    widget->setPalette(palette);
}

} // namespace brivo::ui
