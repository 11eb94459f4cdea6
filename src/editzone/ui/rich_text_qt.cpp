#include "editzone/ui/rich_text_qt.h"

#include <QStringList>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>

#include <cmath>
#include <map>
#include <tuple>
#include <utility>

namespace brivo::editzone::ui {

QColor toQColor(std::uint32_t bgr)
{
    return {static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF), static_cast<int>((bgr >> 16) & 0xFF)};
}

QTextCharFormat toQtFormat(const editzone::CharFormat& format, const QTextCharFormat& base)
{
    QTextCharFormat qt = base;
    if (!format.font.empty())
        qt.setFontFamilies({QString::fromStdString(format.font)});
    qt.setFontPointSize(format.halfPoints / 2.0);
    qt.setFontWeight(format.bold ? QFont::Bold : QFont::Normal);
    qt.setFontItalic(format.italic);
    qt.setFontUnderline(format.underline);
    qt.setFontStrikeOut(format.strikeOut);
    if (format.colour)
        qt.setForeground(toQColor(*format.colour));
    else
        qt.clearForeground();
    return qt;
}

void fillDocument(QTextDocument& document, const editzone::Document& rich, const QTextCharFormat& base,
                  const FillProgress& progress)
{
    document.clear();
    QTextCursor cursor(&document);
    cursor.setCharFormat(base);
    // One edit: the layout is made once, at the end, not after every run.
    // A text has few formats: each is made once. The keys refer to the runs
    // of `rich`, which outlive the map.
    const auto key = [](const editzone::CharFormat& f) {
        return std::tie(f.font, f.halfPoints, f.bold, f.italic, f.underline, f.strikeOut, f.colour);
    };
    using Key = decltype(key(std::declval<const editzone::CharFormat&>()));
    std::map<Key, QTextCharFormat> formats;
    const auto qtFormat = [&](const editzone::CharFormat& format) -> const QTextCharFormat& {
        const auto [at, added] = formats.try_emplace(key(format));
        if (added)
            at->second = toQtFormat(format, base);
        return at->second;
    };
    cursor.beginEditBlock();
    for (std::size_t p = 0; p < rich.paragraphs.size(); ++p) {
        if (p > 0)
            cursor.insertBlock(QTextBlockFormat(), base);
        for (const editzone::Run& run : rich.paragraphs[p].runs)
            cursor.insertText(QString::fromStdString(run.text), qtFormat(run.format));
        if (progress && p % 4096 == 4095)
            progress(p + 1, rich.paragraphs.size());
    }
    cursor.endEditBlock();
}

namespace {

editzone::CharFormat formatOf(const QTextCharFormat& qt)
{
    editzone::CharFormat format;
    const QStringList families = qt.fontFamilies().toStringList();
    format.font = (families.isEmpty() ? qt.font().family() : families.first()).toStdString();
    double points = qt.fontPointSize() > 0 ? qt.fontPointSize() : qt.font().pointSizeF();
    if (points <= 0 && qt.font().pixelSize() > 0)
        points = qt.font().pixelSize() * 0.75; // at the usual 96 pixels an inch
    format.halfPoints = points > 0 ? static_cast<int>(std::lround(points * 2)) : 24;
    format.bold = qt.fontWeight() >= QFont::Bold;
    format.italic = qt.fontItalic();
    format.underline = qt.fontUnderline();
    format.strikeOut = qt.fontStrikeOut();
    if (qt.foreground().style() != Qt::NoBrush) {
        const QColor colour = qt.foreground().color();
        format.colour = static_cast<std::uint32_t>(colour.red() | colour.green() << 8 | colour.blue() << 16);
    }
    return format;
}

} // namespace

editzone::Document documentOf(const QTextDocument& document)
{
    editzone::Document rich;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (block != document.begin())
            rich.newParagraph();
        for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment) {
            const QTextFragment piece = fragment.fragment();
            if (piece.isValid())
                rich.append(piece.text().toStdString(), formatOf(piece.charFormat()));
        }
    }
    return rich;
}

namespace {

QString blockText(const QTextBlock& block)
{
    return block.text().remove(QChar::ObjectReplacementCharacter);
}

// The blocks and nested frames of a frame, each item's text in `items`.
void collectItems(QTextFrame* frame, QStringList& items);

QString tableText(const QTextTable& table)
{
    QStringList rows;
    for (int row = 0; row < table.rows(); ++row) {
        QStringList cells;
        for (int column = 0; column < table.columns(); ++column) {
            const QTextTableCell cell = table.cellAt(row, column);
            if (cell.row() != row || cell.column() != column)
                continue; // the rest of a merged cell
            QStringList parts;
            for (auto it = cell.begin(); !it.atEnd(); ++it) {
                if (QTextFrame* child = it.currentFrame())
                    collectItems(child, parts);
                else
                    parts.append(blockText(it.currentBlock()));
            }
            cells.append(parts.join(u' ').trimmed());
        }
        rows.append(cells.join(u' '));
    }
    return rows.join(QChar::ParagraphSeparator);
}

void collectItems(QTextFrame* frame, QStringList& items)
{
    if (const auto* table = qobject_cast<QTextTable*>(frame)) {
        items.append(tableText(*table));
        return;
    }
    for (auto it = frame->begin(); !it.atEnd(); ++it) {
        if (QTextFrame* child = it.currentFrame())
            collectItems(child, items);
        else
            items.append(blockText(it.currentBlock()));
    }
}

} // namespace

QString plainTextOf(const QTextDocument& document)
{
    QStringList items;
    collectItems(document.rootFrame(), items);
    return items.join(QChar::ParagraphSeparator);
}

} // namespace brivo::editzone::ui
