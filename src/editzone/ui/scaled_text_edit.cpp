#include "editzone/ui/scaled_text_edit.h"

#include "editzone/text_scale.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>

#include <algorithm>
#include <cmath>
#include <memory>

namespace brivo::editzone::ui {

namespace {

// A whole pixel size is first taken back to its size at 100 %, which it
// was rounded from.
int rescaledPixels(int pixels, int from, int to)
{
    const long whole = std::lround(pixels * 100.0 / from);
    return static_cast<int>(std::lround(static_cast<double>(whole) * to / 100.0));
}

} // namespace

QTextCharFormat rescaledFormat(QTextCharFormat format, int from, int to)
{
    if (from == to)
        return format;
    if (format.hasProperty(QTextFormat::FontPointSize))
        format.setFontPointSize(format.fontPointSize() * to / from);
    if (format.hasProperty(QTextFormat::FontPixelSize))
        format.setProperty(QTextFormat::FontPixelSize,
                           rescaledPixels(format.intProperty(QTextFormat::FontPixelSize), from, to));
    return format;
}

QFont rescaledFont(QFont font, int from, int to)
{
    if (font.pixelSize() > 0)
        font.setPixelSize(rescaledPixels(font.pixelSize(), from, to));
    else
        font.setPointSizeF(font.pointSizeF() * to / from);
    return font;
}

void rescaleDocument(QTextDocument& document, int from, int to, int begin, int end)
{
    if (from == to)
        return;
    if (end < 0)
        end = document.characterCount();
    const bool modified = document.isModified();
    document.setUndoRedoEnabled(false);
    QTextCursor cursor(&document);
    cursor.beginEditBlock();
    for (QTextBlock block = document.findBlock(begin); block.isValid() && block.position() <= end;
         block = block.next()) {
        cursor.setPosition(block.position());
        cursor.setBlockCharFormat(rescaledFormat(block.charFormat(), from, to));
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment piece = it.fragment();
            const int first = std::max(piece.position(), begin);
            const int last = std::min(piece.position() + piece.length(), end);
            if (!piece.isValid() || first >= last)
                continue;
            cursor.setPosition(first);
            cursor.setPosition(last, QTextCursor::KeepAnchor);
            cursor.setCharFormat(rescaledFormat(piece.charFormat(), from, to));
        }
    }
    cursor.endEditBlock();
    document.setUndoRedoEnabled(true);
    document.setModified(modified);
}

void ScaledTextEdit::setScale(int percent)
{
    percent = editzone::validTextScale(percent);
    if (percent == scale_)
        return;
    const QTextCharFormat typing = rescaledFormat(currentCharFormat(), scale_, percent);
    setFont(rescaledFont(font(), scale_, percent));
    rescaleDocument(*document(), scale_, percent);
    setCurrentCharFormat(typing);
    scale_ = percent;
}

void ScaledTextEdit::copyKept()
{
    if (textCursor().hasSelection())
        QGuiApplication::clipboard()->setMimeData(createMimeDataFromSelection());
}

void ScaledTextEdit::cutKept()
{
    copyKept();
    textCursor().removeSelectedText();
}

QMimeData* ScaledTextEdit::createMimeDataFromSelection() const
{
    if (scale_ == 100)
        return QTextEdit::createMimeDataFromSelection();
    // Qt's own mime data makes its HTML from the selection when asked:
    // the sizes at 100 % go in a plain one.
    const std::unique_ptr<QMimeData> shown(QTextEdit::createMimeDataFromSelection());
    QTextDocument unscaled;
    unscaled.setDefaultFont(rescaledFont(document()->defaultFont(), scale_, 100));
    QTextCursor(&unscaled).insertFragment(textCursor().selection());
    rescaleDocument(unscaled, scale_, 100);
    auto* kept = new QMimeData;
    kept->setText(shown ? shown->text() : unscaled.toPlainText());
    kept->setHtml(unscaled.toHtml());
    return kept;
}

void ScaledTextEdit::insertFromMimeData(const QMimeData* source)
{
    const int begin = textCursor().selectionStart();
    QTextEdit::insertFromMimeData(source);
    if (scale_ != 100 && acceptRichText() && source->hasHtml())
        rescaleDocument(*document(), 100, scale_, begin, textCursor().position());
}

} // namespace brivo::editzone::ui
