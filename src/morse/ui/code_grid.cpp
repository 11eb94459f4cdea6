#include "morse/ui/code_grid.h"

#include "common/cp1252.h"

#include <QHeaderView>

namespace brivo::ui {

using namespace Qt::StringLiterals;

CodeGrid::CodeGrid(QWidget* parent) : QTableWidget(3, 256, parent)
{
    QFont font(u"Courier New"_s);
    font.setPixelSize(15);
    setFont(font);
    horizontalHeader()->hide();
    horizontalHeader()->setDefaultSectionSize(kColumnWidth);
    horizontalHeader()->setMinimumSectionSize(kColumnWidth);
    verticalHeader()->setDefaultSectionSize(kRowHeight);
    verticalHeader()->setMinimumSectionSize(kRowHeight);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setFixedWidth(kColumnWidth);
    verticalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    verticalHeader()->setFont(font);
    setVerticalHeaderLabels({QString(), QString(), QString()});
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setShowGrid(true);
    setWordWrap(false);
    setTabKeyNavigation(false);
}

void CodeGrid::fill(const MorseTable& table)
{
    setVerticalHeaderLabels({u" Octet :"_s, u" Ascii :"_s, u" Morse :"_s});
    for (int byte = 0; byte < 256; ++byte) {
        const auto code = static_cast<KeyCode>(byte);
        const QString character =
            byte == 0 ? QString()
                      : QString(QChar(static_cast<char16_t>(cp1252ToUnicode(static_cast<unsigned char>(byte)))));
        const std::string_view pattern = table.pattern(code);
        setItem(0, byte, new QTableWidgetItem(u" "_s + QString::number(byte)));
        setItem(1, byte, new QTableWidgetItem(u" "_s + character));
        setItem(2, byte,
                new QTableWidgetItem(
                    pattern.empty() ? u"ignoré"_s
                                    : QString::fromLatin1(pattern.data(), static_cast<qsizetype>(pattern.size()))));
    }
}

QString CodeGrid::cellText(int column, int row) const
{
    if (column == 0) {
        const QTableWidgetItem* title = verticalHeaderItem(row);
        return title != nullptr ? title->text() : QString();
    }
    const QTableWidgetItem* cell = item(row, column - 1);
    return cell != nullptr ? cell->text() : QString();
}

} // namespace brivo::ui
