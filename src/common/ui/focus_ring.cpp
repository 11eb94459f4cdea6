#include "common/ui/focus_ring.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QPainter>

namespace brivo::ui {

namespace {

constexpr char kCoverProperty[] = "brivoFocusCover";

// The control as the user sees it: a spin box or an editable list rather
// than the line edit inside it, and a cover, when up, rather than what it
// hides.
QWidget* ringedControl(QWidget* focused)
{
    QWidget* control = focused;
    if (QWidget* owner = focused->parentWidget();
        qobject_cast<QAbstractSpinBox*>(owner) != nullptr || qobject_cast<QComboBox*>(owner) != nullptr)
        control = owner;
    if (auto* cover = qvariant_cast<QWidget*>(control->property(kCoverProperty));
        cover != nullptr && cover->isVisible())
        control = cover;
    return control;
}

} // namespace

QPointer<FocusRing>& FocusRing::current()
{
    static QPointer<FocusRing> ring;
    return ring;
}

void FocusRing::install()
{
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    QObject::connect(qApp, &QApplication::focusChanged, qApp, [](QWidget* /*old*/, QWidget* now) { follow(now); });
}

void FocusRing::showFocusOn(QWidget* target, QWidget* cover)
{
    target->setProperty(kCoverProperty, QVariant::fromValue(cover));
    // Put up or taken down while the target has the keyboard: the ring moves.
    struct CoverWatch : QObject {
        QWidget* target;
        explicit CoverWatch(QWidget* t, QObject* parent) : QObject(parent), target(t) {}
        bool eventFilter(QObject* /*watched*/, QEvent* event) override
        {
            if ((event->type() == QEvent::Show || event->type() == QEvent::Hide) && target->hasFocus())
                follow(target);
            return false;
        }
    };
    cover->installEventFilter(new CoverWatch(target, cover));
}

void FocusRing::follow(QWidget* focused)
{
    delete current().data();
    if (focused == nullptr || focused->isWindow())
        return;
    current() = new FocusRing(ringedControl(focused));
}

FocusRing::FocusRing(QWidget* control) : QWidget(control)
{
    setObjectName(QStringLiteral("qt_focus_ring")); // not one of the window's named controls
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    setGeometry(control->rect());
    control->installEventFilter(this);
    raise();
    show();
}

bool FocusRing::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == parent()) {
        if (event->type() == QEvent::Resize)
            setGeometry(parentWidget()->rect());
        else if (event->type() == QEvent::ChildAdded)
            raise(); // a child added later would be drawn over the ring
    }
    return false;
}

void FocusRing::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::transparent);
    paintFrame(painter, rect());
}

void FocusRing::paintFrame(QPainter& painter, const QRect& area)
{
    const auto frame = [&](const QRect& r, const QColor& colour) {
        painter.fillRect(QRect(r.left(), r.top(), r.width(), kWidth), colour);
        painter.fillRect(QRect(r.left(), r.bottom() - kWidth + 1, r.width(), kWidth), colour);
        painter.fillRect(QRect(r.left(), r.top(), kWidth, r.height()), colour);
        painter.fillRect(QRect(r.right() - kWidth + 1, r.top(), kWidth, r.height()), colour);
    };
    frame(area, Qt::black);
    frame(area.adjusted(kWidth, kWidth, -kWidth, -kWidth), Qt::white);
}

} // namespace brivo::ui
