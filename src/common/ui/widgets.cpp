#include "common/ui/widgets.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QScreen>
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

void showOverParent(QWidget* window)
{
    static constexpr char kPlaced[] = "brivoPlaced";
    if (!window->property(kPlaced).toBool() && window->parentWidget() != nullptr) {
        const QWidget* owner = window->parentWidget()->window();
        QPoint at = owner->frameGeometry().topLeft() + QPoint(48, 48);
        if (const QScreen* screen = owner->screen()) {
            const QRect area = screen->availableGeometry();
            at.setX(std::clamp(at.x(), area.left(), std::max(area.left(), area.right() - window->width())));
            at.setY(std::clamp(at.y(), area.top(), std::max(area.top(), area.bottom() - window->height())));
        }
        window->move(at);
        window->setProperty(kPlaced, true);
    }
    window->show();
    window->raise();
    window->activateWindow();
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

void useButtonFace(QWidget* widget)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Button));
    widget->setPalette(palette);
}

} // namespace brivo::ui
