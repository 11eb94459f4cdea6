#pragma once

#include <QTextEdit>

class QTextDocument;

namespace brivo::editzone::ui {

// The font sizes of the characters from `begin` to `end` (-1: to the end)
// taken from `from` to `to` percent, with the block formats of the blocks
// they touch. Pixel sizes are whole: they are taken back to the size they
// had at 100 % first, so that any number of changes gives the same sizes.
// The undo history is cleared; the modified flag is kept.
void rescaleDocument(QTextDocument& document, int from, int to, int begin = 0, int end = -1);
QTextCharFormat rescaledFormat(QTextCharFormat format, int from, int to);
QFont rescaledFont(QFont font, int from, int to);

// A rich-text edit that shows its text larger than it keeps it: the text
// copied out and the text pasted in are at 100 %.
class ScaledTextEdit : public QTextEdit {
    Q_OBJECT
public:
    using QTextEdit::QTextEdit;

    int scale() const { return scale_; }
    // Rescales the document and the widget's font, which the text without a
    // size of its own takes. A percent not offered is taken as 100.
    void setScale(int percent);

    // QTextEdit's copy and cut put the shown sizes on the clipboard: these
    // put the sizes at 100 %.
    void copyKept();
    void cutKept();

protected:
    QMimeData* createMimeDataFromSelection() const override;
    void insertFromMimeData(const QMimeData* source) override;

private:
    int scale_ = 100;
};

} // namespace brivo::editzone::ui
