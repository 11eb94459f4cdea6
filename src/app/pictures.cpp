#include "app/pictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace brivo::ui {

using namespace Qt::StringLiterals;

namespace {

const QColor kNavy(0x10, 0x24, 0x5C);
const QColor kSea(0x1F, 0x5F, 0xA8);
const QColor kAmber(0xF2, 0xB1, 0x34);

// Draws a Morse pattern as rounded marks from `origin` along `step`.
void drawPattern(QPainter& painter, const QString& pattern, QPointF origin, QPointF step, qreal unit, qreal thickness)
{
    QPointF at = origin;
    for (const QChar symbol : pattern) {
        if (symbol == u' ') {
            at += step * 2 * unit;
            continue;
        }
        const qreal length = symbol == u'-' ? 3 * unit : unit;
        const QPointF end = at + step * length;
        const QRectF mark =
            QRectF(at, end).normalized().adjusted(-thickness / 2, -thickness / 2, thickness / 2, thickness / 2);
        painter.drawRoundedRect(mark, thickness / 2, thickness / 2);
        at = end + step * unit;
    }
}

// A picture of `size` filled with a gradient from `from` to `to`, running
// across (left to right) or down (top to bottom).
QPixmap groundOf(QSize size, bool down, const QColor& from, const QColor& to)
{
    QPixmap picture(size);
    QPainter painter(&picture);
    QLinearGradient ground(0, 0, down ? 0 : size.width(), down ? size.height() : 0);
    ground.setColorAt(0, from);
    ground.setColorAt(1, to);
    painter.fillRect(picture.rect(), ground);
    return picture;
}

} // namespace

QPixmap drawnBanner()
{
    QPixmap picture = groundOf({338, 21}, false, kNavy, kSea);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    QFont font(u"Liberation Sans"_s);
    font.setPixelSize(14);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QRect(8, 0, 200, 21), Qt::AlignVCenter | Qt::AlignLeft, u"BRIVO  ·  lecture au son"_s);
    painter.setPen(Qt::NoPen);
    painter.setBrush(kAmber);
    drawPattern(painter, u"-... .-. .. ...- ---"_s, QPointF(200, 10.5), QPointF(1, 0), 2.2, 3);
    return picture;
}

QPixmap drawnLogo()
{
    QPixmap picture = groundOf({90, 201}, true, kSea, kNavy);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);

    // The name keyed down the picture, one column of marks per letter.
    painter.setPen(Qt::NoPen);
    painter.setBrush(kAmber);
    const QStringList letters = {u"-..."_s, u".-."_s, u".."_s, u"...-"_s, u"---"_s};
    for (int i = 0; i < letters.size(); ++i)
        drawPattern(painter, letters[i], QPointF(13 + 16 * i, 12), QPointF(0, 1), 6, 6);

    // A straight key: base, lever and knob.
    painter.setBrush(QColor(0xC8, 0xCD, 0xD6));
    painter.drawRoundedRect(QRectF(10, 176, 70, 10), 3, 3);
    painter.setBrush(QColor(0xE8, 0xEB, 0xF0));
    painter.drawRoundedRect(QRectF(16, 162, 58, 5), 2, 2);
    painter.drawRect(QRectF(24, 167, 4, 9));
    painter.setBrush(Qt::black);
    painter.drawEllipse(QRectF(62, 153, 16, 12));
    return picture;
}

QIcon drawnWindowIcon()
{
    QPixmap picture(16, 16);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(kNavy);
    painter.drawEllipse(QRectF(0.5, 0.5, 15, 15));
    painter.setBrush(kAmber);
    painter.drawEllipse(QRectF(3, 6.5, 3, 3));
    painter.drawRoundedRect(QRectF(7.5, 6.5, 6, 3), 1.5, 1.5);
    return QIcon(picture);
}

QIcon drawnCloseGlyph()
{
    QPixmap picture(16, 16);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    QPen pen(QColor(0xB0, 0x20, 0x20), 2.4, Qt::SolidLine, Qt::RoundCap);
    painter.setPen(pen);
    painter.drawLine(QPointF(4, 4), QPointF(12, 12));
    painter.drawLine(QPointF(12, 4), QPointF(4, 12));
    return QIcon(picture);
}

} // namespace brivo::ui
