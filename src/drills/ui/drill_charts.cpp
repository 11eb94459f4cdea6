#include "drills/ui/drill_charts.h"

#include "common/ui/chart_table.h"
#include "common/ui/focus_ring.h"
#include "common/ui/widgets.h"

#include <QPainter>

#include <algorithm>

namespace brivo::drills::ui {

using namespace Qt::StringLiterals;

ReactionChart::ReactionChart(QWidget* parent) : QWidget(parent)
{
    setObjectName(u"ChartReaction"_s);
    setAccessibleName(u"Temps de réaction par caractère"_s);
    setMinimumSize(320, 140);
    new brivo::ui::ChartTable(this, {u"Caractère"_s, u"Temps médian"_s, u"Taux d'erreur"_s});
}

void ReactionChart::setAnswers(const std::vector<CharacterAnswer>& answers)
{
    std::map<char32_t, std::vector<double>> times;
    CharacterRecords records;
    for (const CharacterAnswer& answer : answers) {
        recordAnswer(records, answer);
        if (answer.right())
            times[answer.sent].push_back(answer.reactionMs);
    }
    bars_.clear();
    QList<QStringList> rows;
    char32_t slowest = 0;
    for (const auto& [c, record] : records) {
        bars_[c] = {medianMs(times[c]), record.errorRate};
        rows.append({brivo::ui::fromCodePoint(c), u"%1 ms"_s.arg(qRound(bars_[c].medianMs)),
                     u"%1 %"_s.arg(qRound(record.errorRate * 100))});
        if (slowest == 0 || bars_[c].medianMs > bars_[slowest].medianMs)
            slowest = c;
    }
    brivo::ui::ChartTable::of(this)->setRows(
        rows.isEmpty() ? u"Aucune réponse encore."_s
                       : u"%1 ; le plus lent : %2, %3 ms."_s
                             .arg(brivo::ui::counted(rows.size(), u"caractère"_s), brivo::ui::fromCodePoint(slowest))
                             .arg(qRound(bars_[slowest].medianMs)),
        rows);
    update();
}

void ReactionChart::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().base());
    if (bars_.empty())
        return;
    double slowest = 1;
    for (const auto& [c, bar] : bars_)
        slowest = std::max(slowest, bar.medianMs);
    const QRect area = rect().adjusted(4, 4, -4, -18);
    const int width = std::max(4, area.width() / static_cast<int>(bars_.size()));
    int x = area.left();
    int row = 0;
    const int marked = brivo::ui::ChartTable::of(this)->markedRow();
    for (const auto& [c, bar] : bars_) {
        if (row++ == marked)
            brivo::ui::FocusRing::paintFrame(painter, QRect(x + 1, area.top() + 2, width - 2, area.height() - 2));
        const int height = static_cast<int>(bar.medianMs / slowest * area.height());
        const QColor colour =
            QColor::fromRgbF(static_cast<float>(bar.errorRate), static_cast<float>(1 - bar.errorRate), 0.2F);
        painter.fillRect(QRect(x + 1, area.bottom() - height, width - 2, height), colour);
        painter.setPen(palette().text().color());
        painter.drawText(QRect(x, area.bottom() + 2, width, 16), Qt::AlignCenter, brivo::ui::fromCodePoint(c));
        x += width;
    }
}

SpeedCurve::SpeedCurve(QWidget* parent) : QWidget(parent)
{
    setObjectName(u"ChartIndicatifs"_s);
    setAccessibleName(u"Vitesse des indicatifs"_s);
    setMinimumSize(320, 120);
    new brivo::ui::ChartTable(this, {u"Indicatif"_s, u"Vitesse"_s});
}

void SpeedCurve::setRun(std::vector<double> speeds, double best)
{
    speeds_ = std::move(speeds);
    QList<QStringList> rows;
    for (const double wpm : speeds_)
        rows.append(
            {QString::number(rows.size() + 1), QString::number(wpm, 'f', 1).replace(u'.', u',') + u" mots/mn"_s});
    brivo::ui::ChartTable::of(this)->setRows(
        u"Meilleur score : %1 points. %2."_s.arg(qRound(best)).arg(brivo::ui::counted(rows.size(), u"indicatif"_s)),
        rows);
    update();
}

void SpeedCurve::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().base());
    if (speeds_.size() < 2)
        return;
    const double top = *std::max_element(speeds_.begin(), speeds_.end()) + 2;
    const QRectF area = QRectF(rect()).adjusted(4, 4, -4, -4);
    QPolygonF line;
    for (std::size_t i = 0; i < speeds_.size(); ++i)
        line << QPointF(area.left() + area.width() * static_cast<double>(i) / static_cast<double>(speeds_.size() - 1),
                        area.bottom() - area.height() * speeds_[i] / top);
    painter.setPen(QPen(palette().text().color(), 2));
    painter.drawPolyline(line);
    if (const int marked = brivo::ui::ChartTable::of(this)->markedRow(); marked >= 0)
        brivo::ui::FocusRing::paintFrame(painter, QRectF(line[marked] - QPointF(8, 8), QSizeF(16, 16)).toAlignedRect());
}

} // namespace brivo::drills::ui
