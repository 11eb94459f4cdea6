#include "practice/ui/progress_chart.h"

#include "common/ui/chart_table.h"
#include "common/ui/focus_ring.h"
#include "common/ui/widgets.h"
#include "practice/time_axis.h"

#include <QDateTime>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace brivo::practice::ui {

using namespace Qt::StringLiterals;
using brivo::ui::fromCodePoint;

namespace {

constexpr int kMargin = 36;

// The y of a value from 0 to 1 in an area, 1 at the top.
double yOf(const QRect& area, double value)
{
    return area.bottom() - value * area.height();
}

void paintFrame(QPainter& painter, const QRect& area, const QString& title)
{
    painter.setPen(Qt::black);
    painter.drawText(area.adjusted(0, -kMargin + 4, 0, 0), Qt::AlignTop | Qt::AlignLeft, title);
    painter.setPen(QPen(Qt::gray, 1, Qt::DotLine));
    for (int percent = 0; percent <= 100; percent += 25) {
        const double y = yOf(area, percent / 100.0);
        painter.drawLine(QPointF(area.left(), y), QPointF(area.right(), y));
        painter.drawText(QRectF(0, y - 8, area.left() - 4, 16), Qt::AlignRight | Qt::AlignVCenter,
                         u"%1"_s.arg(percent));
    }
}

} // namespace

ProgressChart::ProgressChart(QWidget* parent) : QWidget(parent)
{
    new brivo::ui::ChartTable(this, {u"Caractère"_s, u"Envoyés"_s, u"Erreurs"_s, u"Taux d'erreur"_s});
    setMinimumSize(360, 300);
}

void ProgressChart::setHistory(std::vector<StoredCheck> checks, std::map<char32_t, CharacterCount> counts)
{
    // The line joins the checks in time order, whatever order they were
    // stored in (a clock set back gives a later id an earlier date).
    std::stable_sort(checks.begin(), checks.end(),
                     [](const StoredCheck& a, const StoredCheck& b) { return a.checkedAt < b.checkedAt; });
    checks_ = std::move(checks);
    counts_ = std::move(counts);
    // What the drawing shows, for a screen reader.
    QList<QStringList> rows;
    for (const auto& [c, count] : counts_) {
        if (count.sent > 0)
            rows.append({fromCodePoint(c), QString::number(count.sent), QString::number(count.wrong),
                         u"%1 %"_s.arg(std::lround(100.0 * count.wrong / count.sent))});
    }
    // The scores' line in one sentence; the error rates as the table.
    const auto score = [](const StoredCheck& check) { return QString::fromStdString(scoreText(check.score)); };
    QString summary = u"Aucun contrôle."_s;
    if (checks_.size() == 1) {
        summary = u"1 contrôle, score %1 %."_s.arg(score(checks_.front()));
    } else if (!checks_.empty()) {
        const auto best =
            std::max_element(checks_.begin(), checks_.end(),
                             [](const StoredCheck& a, const StoredCheck& b) { return a.score < b.score; });
        summary = u"%1 contrôles ; premier score %2 %, dernier %3 %, meilleur %4 %."_s.arg(
            QString::number(checks_.size()), score(checks_.front()), score(checks_.back()), score(*best));
    }
    brivo::ui::ChartTable::of(this)->setRows(summary, rows);
    update();
}

void ProgressChart::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(rect(), palette().base());
    const int half = height() / 2;
    paintScores(painter, QRect(kMargin, kMargin, width() - 2 * kMargin, half - 2 * kMargin + 8));
    paintErrorRates(painter, QRect(kMargin, half + kMargin, width() - 2 * kMargin, half - 2 * kMargin));
}

void ProgressChart::paintScores(QPainter& painter, const QRect& area) const
{
    paintFrame(painter, area, u"Score de chaque contrôle (%) ; en orange, avec conditions de réception"_s);
    if (checks_.empty())
        return;
    const qint64 first = checks_.front().checkedAt.toSecsSinceEpoch();
    const qint64 span = std::max<qint64>(1, checks_.back().checkedAt.toSecsSinceEpoch() - first);
    const auto pointOf = [&](const StoredCheck& check) {
        const double x = checks_.size() == 1
                             ? area.center().x()
                             : area.left() + area.width() *
                                                 static_cast<double>(check.checkedAt.toSecsSinceEpoch() - first) /
                                                 static_cast<double>(span);
        return QPointF(x, yOf(area, std::clamp(check.score, 0.0, 100.0) / 100.0));
    };
    QPainterPath line;
    line.moveTo(pointOf(checks_.front()));
    for (const StoredCheck& check : checks_)
        line.lineTo(pointOf(check));
    painter.setPen(QPen(QColor(0, 90, 170), 2));
    painter.drawPath(line);
    // Checks made under reception conditions are the hard ones: orange.
    for (const StoredCheck& check : checks_) {
        painter.setBrush(check.underConditions ? QColor(230, 120, 0) : QColor(0, 90, 170));
        painter.drawEllipse(pointOf(check), 3, 3);
    }
    paintTimeAxis(painter, area, first, span);
}

void ProgressChart::paintTimeAxis(QPainter& painter, const QRect& area, qint64 first, qint64 span) const
{
    const qint64 last = first + span;
    const int offset = checks_.front().checkedAt.toLocalTime().offsetFromUtc();
    TimeAxis axis = timeAxis(first, last, std::max(2, area.width() / 90), offset);
    if (axis.ticks.empty())
        axis.ticks.push_back(first);
    constexpr std::int64_t kDay = std::int64_t{24} * 3600;
    const QString format = axis.step < kDay ? u"dd/MM HH:mm"_s : u"dd/MM/yy"_s;
    for (const std::int64_t tick : axis.ticks) {
        const double x = checks_.size() == 1 ? area.center().x()
                                             : area.left() + area.width() * static_cast<double>(tick - first) /
                                                                 static_cast<double>(span);
        painter.setPen(QPen(Qt::gray, 1, Qt::DotLine));
        painter.drawLine(QPointF(x, area.top()), QPointF(x, area.bottom() + 3));
        painter.setPen(palette().color(QPalette::Text));
        const QString label = QDateTime::fromSecsSinceEpoch(tick).toLocalTime().toString(format);
        painter.drawText(QRectF(x - 45, area.bottom() + 3, 90, 16), Qt::AlignHCenter | Qt::AlignTop, label);
    }
}

void ProgressChart::paintErrorRates(QPainter& painter, const QRect& area) const
{
    paintFrame(painter, area, u"Taux d'erreur par caractère (%)"_s);
    if (counts_.empty())
        return;
    const double slot = double(area.width()) / double(counts_.size());
    double x = area.left();
    int row = 0; // the table's: the characters sent
    const int marked = brivo::ui::ChartTable::of(this)->markedRow();
    for (const auto& [character, count] : counts_) {
        if (count.sent > 0 && row++ == marked)
            brivo::ui::FocusRing::paintFrame(painter, QRectF(x, area.top(), slot, area.height() + 20).toAlignedRect());
        const double rate = count.sent > 0 ? std::min(1.0, double(count.wrong) / count.sent) : 0.0;
        const QRectF bar(x + slot * 0.15, yOf(area, rate), slot * 0.7, rate * area.height());
        painter.fillRect(bar, rate > 0.2 ? QColor(200, 40, 40) : QColor(60, 150, 60));
        painter.setPen(palette().color(QPalette::Text));
        painter.drawText(QRectF(x, area.bottom() + 2, slot, 16), Qt::AlignHCenter | Qt::AlignTop,
                         QString::fromUcs4(&character, 1));
        x += slot;
    }
}

} // namespace brivo::practice::ui
