// Random fill, patterns, and the window's key handler.
#include "app/key_rules.h"
#include "app/tform1.h"
#include "common/ui/dialogs.h"
#include "common/ui/spin_edit.h"
#include "common/ui/upper_case_line_edit.h"
#include "editzone/ui/edit_zone.h"
#include "exercise/exercise_text.h"
#include "exercise/ui/series_controls.h"

#include <QAction>
#include <QCheckBox>
#include <QMenu>
#include <QTabWidget>
#include <QTextCursor>
#include <QTextEdit>

namespace brivo::ui {

using namespace Qt::StringLiterals;

namespace {

const QString kFillTitle = u" Remplir l'écran :"_s;

QString fromCodePoints(const std::u32string& text)
{
    return QString::fromUcs4(text.data(), static_cast<qsizetype>(text.size()));
}

std::u32string toCodePoints(const QString& text)
{
    const QList<uint> codePoints = text.toUcs4();
    return {codePoints.begin(), codePoints.end()};
}

} // namespace

void TForm1::BoutonRemplirClick()
{
    std::optional<std::u32string> text;
    if (SeriesMode) {
        std::array<std::u32string, 9> seriesTexts;
        std::array<bool, 9> ticked{};
        for (std::size_t i = 0; i < seriesTexts.size(); ++i) {
            seriesTexts[i] = toCodePoints(series->Serie[i]->text());
            ticked[i] = series->Selec[i]->isChecked();
        }
        const std::u32string pool = exercise::seriesPool(seriesTexts, ticked);
        if (pool.empty()) {
            dialogs_.message(this,
                             u"Il n'y a rien à générer :\n\nVous devez sélectionner les séries à partir\ndesquelles "
                             u"sera effectué un tirage aléatoire\ndes lettres."_s,
                             kFillTitle);
            PageControl1->setCurrentWidget(TSseries);
            return;
        }
        text = exercise::seriesFill(pool, series->CSpinEditGroupes->readValue(), series->CSpinEditLettres->readValue(),
                                    random);
    } else {
        text =
            exercise::lettersAndDigitsFill(series->CSElettres->readValue(), series->CSEchiffres->readValue(), random);
        if (!text) {
            dialogs_.message(this,
                             u"Il n'y a rien à générer :\n\nVous devez choisir un nombre de groupes de\nlettres et/ou "
                             u"de groupes de chiffres non nul !"_s,
                             kFillTitle);
            return;
        }
    }
    insertGeneratedText(fromCodePoints(*text));
}

void TForm1::RemplirClick()
{
    BoutonRemplirClick();
}

QPoint TForm1::patternMenuOrigin() const
{
    return frameGeometry().topLeft() + QPoint(213, 422);
}

void TForm1::BoutonGRPClick()
{
    series->PopupMenu2->popup(patternMenuOrigin());
}

void TForm1::RemplirMotifClick(QObject* sender)
{
    const auto item = std::find(series->Motif.begin(), series->Motif.end(), sender);
    if (item == series->Motif.end())
        return;
    const int number = static_cast<int>(item - series->Motif.begin()) + 1;
    insertGeneratedText(fromCodePoints(exercise::pattern(number, random)));
}

void TForm1::insertGeneratedText(const QString& text)
{
    QTextEdit* zone = editZone->RichEdit;
    QTextCursor cursor = zone->textCursor();
    const int start = cursor.selectionStart();
    // Switching undo off for the edit keeps it out of the history (and, as
    // with the rich-text control this stands in for, empties the history).
    zone->document()->setUndoRedoEnabled(false);
    cursor.insertText(text);
    zone->document()->setUndoRedoEnabled(true);
    cursor.setPosition(start + static_cast<int>(text.size()));
    zone->setTextCursor(cursor);
    zone->setFocus();
}

void TForm1::FormKeyDown(int key, Qt::KeyboardModifiers modifiers, quint32 nativeScanCode)
{
    if (!(modifiers & Qt::ControlModifier))
        return;
    const int digit = keys::mainBlockDigit(key, modifiers.testFlag(Qt::KeypadModifier), nativeScanCode);
    if (digit >= 1 && digit <= exercise::kPatternCount)
        RemplirMotifClick(series->Motif[static_cast<std::size_t>(digit - 1)]);
}

} // namespace brivo::ui
