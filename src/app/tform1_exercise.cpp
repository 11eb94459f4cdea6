// Random fill, patterns, and the window's key handler.
#include "app/tform1.h"
#include "audio/ui/sound_controls.h"
#include "common/key_rules.h"
#include "common/messages.h"
#include "common/ui/accessible_roles.h"
#include "common/ui/announcer.h"
#include "common/ui/dialogs.h"
#include "common/ui/spin_edit.h"
#include "common/ui/upper_case_line_edit.h"
#include "common/ui/widgets.h"
#include "drills/ui/drill_window.h"
#include "editzone/ui/edit_zone.h"
#include "exercise/exercise_text.h"
#include "exercise/ui/series_controls.h"
#include "export/ui/export_dialog.h"
#include "help/ui/help_window.h"
#include "practice/ui/copy_check_window.h"
#include "practice/ui/course_window.h"
#include "reception/ui/reception_window.h"
#include "sending/ui/sending_window.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QMenu>
#include <QTabWidget>
#include <QTextCursor>
#include <QTextEdit>

namespace brivo::ui {

using namespace Qt::StringLiterals;

void TForm1::BoutonRemplirClick()
{
    std::optional<std::u32string> text;
    if (seriesMode_) {
        const std::u32string pool = exercise::seriesPool(series->seriesTexts(), series->seriesTicks());
        if (pool.empty()) {
            dialogs_.message(this, fromUtf8(messages::kNoSeriesTicked), fromUtf8(messages::kFillTitle));
            PageControl1->setCurrentWidget(TSseries);
            return;
        }
        text = exercise::seriesFill(pool, series->CSpinEditGroupes->readValue(), series->CSpinEditLettres->readValue(),
                                    random_);
    } else {
        text =
            exercise::lettersAndDigitsFill(series->CSElettres->readValue(), series->CSEchiffres->readValue(), random_);
        if (!text) {
            dialogs_.message(this, fromUtf8(messages::kNoGroups), fromUtf8(messages::kFillTitle));
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
    insertGeneratedText(fromCodePoints(exercise::pattern(number, random_)));
}

void TForm1::insertGeneratedText(const QString& text)
{
    // Nothing to insert must not cost the user the selection.
    if (text.isEmpty())
        return;
    QTextEdit* zone = editZone->RichEdit;
    QTextCursor cursor = zone->textCursor();
    const int start = cursor.selectionStart();
    // Switching undo off for the edit keeps it out of the history (and, as
    // with the rich-text control this stands in for, empties the history).
    // The text is an exercise to be heard: a screen reader must not read it
    // as it goes in, only hear that it did.
    withoutTextEcho(zone, [&] {
        zone->document()->setUndoRedoEnabled(false);
        cursor.insertText(text);
        zone->document()->setUndoRedoEnabled(true);
        cursor.setPosition(start + static_cast<int>(text.size()));
        zone->setTextCursor(cursor);
    });
    announce(zone, fromUtf8(messages::textInserted(static_cast<int>(text.size()))));
    zone->setFocus();
}

bool TForm1::FormKeyDown(int key, Qt::KeyboardModifiers modifiers, quint32 nativeScanCode)
{
    if (modifiers.testFlag(Qt::AltModifier)) {
        switch (altAction(key)) {
        case AltAction::SoundPage:
            PageControl1->setCurrentWidget(TSprincipale);
            break;
        case AltAction::SeriesPage:
            PageControl1->setCurrentWidget(TSseries);
            break;
        case AltAction::CharactersPage:
            PageControl1->setCurrentWidget(TScaracteres);
            break;
        case AltAction::ToggleReferenceWord:
            sound->CBmot->setCurrentIndex(sound->CBmot->currentIndex() == 0 ? 1 : 0);
            break;
        case AltAction::ToggleMask:
            editZone->MasquerZoneClick();
            break;
        case AltAction::None:
            break;
        }
    } else if (key == kF1) {
        // With Ctrl, the Ctrl table then gives the focus back to the main
        // window: the help must not take it when it appears.
        Form2->showHelp(!modifiers.testFlag(Qt::ControlModifier)); // with or without Ctrl and Shift
    }
    if (!modifiers.testFlag(Qt::ControlModifier))
        return false;
    const int digit = mainBlockDigit(key, modifiers.testFlag(Qt::KeypadModifier), nativeScanCode);
    const CtrlAction action = ctrlAction(key, digit);
    switch (action.kind) {
    case CtrlAction::Kind::Pattern:
        RemplirMotifClick(series->Motif[static_cast<std::size_t>(action.pattern - 1)]);
        break;
    case CtrlAction::Kind::Help:
        BoutonAideClick();
        break;
    case CtrlAction::Kind::CopyCheck:
        copyCheck->showCheck();
        break;
    case CtrlAction::Kind::Conditions:
        conditionsWindow->showConditions();
        break;
    case CtrlAction::Kind::Course:
        courseWindow->showCourse();
        break;
    case CtrlAction::Kind::Sending:
        sendingWindow->showSending();
        break;
    case CtrlAction::Kind::Drills:
        drillWindow->showDrills();
        break;
    case CtrlAction::Kind::Export:
        exportDialog->showExport();
        break;
    case CtrlAction::Kind::Focus:
        if (action.soundPageFirst)
            PageControl1->setCurrentWidget(TSprincipale);
        if (auto* control = findChild<QWidget*>(fromUtf8(action.control))) {
            raise();
            activateWindow();
            control->setFocus();
        }
        break;
    case CtrlAction::Kind::None:
        return false;
    }
    return true;
}

} // namespace brivo::ui
