#include "common/ui/widgets.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QPushButton>

namespace brivo::ui {

QPushButton* makeButton(QWidget* parent, const QString& caption, const QRect& bounds, const QString& hint)
{
    auto* button = new QPushButton(caption, parent);
    button->setGeometry(bounds);
    button->setToolTip(hint);
    button->setAutoDefault(false);
    return button;
}

QLabel* makeLabel(QWidget* parent, const QString& caption, int left, int top)
{
    auto* label = new QLabel(caption, parent);
    label->move(left, top);
    label->adjustSize();
    return label;
}

QLabel* makeStaticText(QWidget* parent, const QString& caption, const QRect& bounds, Border border)
{
    auto* text = new QLabel(caption, parent);
    text->setGeometry(bounds);
    text->setAlignment(Qt::AlignCenter);
    if (border == Border::Sunken) {
        text->setFrameShape(QFrame::Panel);
        text->setFrameShadow(QFrame::Sunken);
    }
    return text;
}

QFrame* makeBevel(QWidget* parent, int left, int top, int height)
{
    auto* rule = new QFrame(parent);
    rule->setFrameShape(QFrame::VLine);
    rule->setFrameShadow(QFrame::Sunken);
    rule->setGeometry(left, top, 2, height);
    return rule;
}

QComboBox* makeDropDown(QWidget* parent, const QStringList& items, const QRect& bounds, int visibleItems,
                        const QString& hint)
{
    auto* box = new QComboBox(parent);
    box->addItems(items);
    box->setGeometry(bounds);
    box->setMaxVisibleItems(visibleItems);
    box->setToolTip(hint);
    return box;
}

void useButtonFace(QWidget* widget)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Button));
    widget->setPalette(palette);
}

} // namespace brivo::ui
