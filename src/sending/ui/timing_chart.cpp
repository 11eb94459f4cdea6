#include "sending/ui/timing_chart.h"

#include "common/ui/chart_table.h"
#include "common/ui/focus_ring.h"

#include <QPainter>
#include <QPen>

#include <algorithm>
#include <numeric>

namespace brivo::sending::ui {

using namespace Qt::StringLiterals;

namespace {

// One colour per kind, told apart by people with the common colour
// deficiencies (Okabe and Ito's palette), and each kind's legend.
struct KindStyle {
    QColor colour;
    QString name;
};
const std::array<KindStyle, TimingHistogram::kKinds>& kindStyles()
{
    static const std::array<KindStyle, TimingHistogram::kKinds> styles = {{
        {QColor(0x00, 0x72, 0xB2), u"points"_s},
        {QColor(0xD5, 0x5E, 0x00), u"traits"_s},
        {QColor(0x00, 0x9E, 0x73), u"espaces internes"_s},
        {QColor(0xCC, 0x79, 0xA7), u"entre lettres"_s},
        {QColor(0x56, 0x56, 0x56), u"entre mots"_s},
    }};
    return styles;
}

} // namespace

TimingChart::TimingChart(QWidget* parent) : QWidget(parent)
{
    setObjectName(u"ChartDurees"_s);
    setAccessibleName(u"Durées de la manipulation"_s);
    setMinimumSize(420, 150);
    new brivo::ui::ChartTable(this, {u"Élément"_s, u"Nombre"_s, u"Longueur la plus fréquente"_s});
}

void TimingChart::setHistogram(const TimingHistogram& histogram, const QString& summary)
{
    histogram_ = histogram;
    QList<QStringList> rows;
    for (std::size_t kind = 0; kind < TimingHistogram::kKinds; ++kind) {
        const auto& bins = histogram.counts[kind];
        const auto mode = std::max_element(bins.begin(), bins.end());
        const int count = std::accumulate(bins.begin(), bins.end(), 0);
        if (count > 0)
            rows.append(
                {kindStyles()[kind].name, QString::number(count),
                 QString::number((static_cast<double>(mode - bins.begin()) + 0.5) * TimingHistogram::kBinDits, 'f', 1)
                         .replace(u'.', u',') +
                     u" points"_s});
    }
    brivo::ui::ChartTable::of(this)->setRows(summary, rows);
    update();
}

void TimingChart::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Base));
    const int line = fontMetrics().height();
    const QRect plot = rect().adjusted(8, line + 4, -8, -line - 4);
    const double binWidth = static_cast<double>(plot.width()) / TimingHistogram::kBins;
    const auto xOf = [&](double dits) {
        return plot.left() + static_cast<int>(dits / TimingHistogram::kBinDits * binWidth);
    };
    // The ideal lengths.
    painter.setPen(QPen(palette().color(QPalette::Text), 1, Qt::DashLine));
    for (const int ideal : {1, 3, 7}) {
        painter.drawLine(xOf(ideal), plot.top(), xOf(ideal), plot.bottom());
        painter.drawText(QRect(xOf(ideal) - 20, plot.bottom() + 2, 40, line), Qt::AlignHCenter, QString::number(ideal));
    }
    // The bars, each kind drawn over the others a third of a bin wide.
    if (histogram_.highest > 0) {
        for (std::size_t kind = 0; kind < TimingHistogram::kKinds; ++kind) {
            const int offset = static_cast<int>(static_cast<double>(kind % 3) * binWidth / 3);
            for (std::size_t bin = 0; bin < TimingHistogram::kBins; ++bin) {
                const int count = histogram_.counts[kind][bin];
                if (count == 0)
                    continue;
                const int height = count * plot.height() / histogram_.highest;
                painter.fillRect(QRect(plot.left() + static_cast<int>(static_cast<double>(bin) * binWidth) + offset,
                                       plot.bottom() - height, std::max(2, static_cast<int>(binWidth / 3)), height),
                                 kindStyles()[kind].colour);
            }
        }
    }
    // The legend, above; the kind the table's walk is on framed.
    int x = plot.left();
    int row = 0; // the table's: the kinds that occur
    const int marked = brivo::ui::ChartTable::of(this)->markedRow();
    for (std::size_t kind = 0; kind < TimingHistogram::kKinds; ++kind) {
        const KindStyle& style = kindStyles()[kind];
        const int width = line / 2 + 8 + fontMetrics().horizontalAdvance(style.name);
        const auto& bins = histogram_.counts[kind];
        if (std::any_of(bins.begin(), bins.end(), [](int count) { return count > 0; }) && row++ == marked)
            brivo::ui::FocusRing::paintFrame(painter, QRect(x - 4, 0, width + 4, line + 6));
        painter.fillRect(QRect(x, 4, line / 2, line / 2 + 2), style.colour);
        painter.setPen(palette().color(QPalette::Text));
        painter.drawText(QPoint(x + line / 2 + 4, line), style.name);
        x += width + 4;
    }
    painter.drawText(QRect(plot.right() - 60, plot.bottom() + 2, 60, line), Qt::AlignRight, u"points"_s);
}

} // namespace brivo::sending::ui
