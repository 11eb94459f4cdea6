// The copy check: its window, and the drill of the weak characters.
#include "app/tform1.h"
#include "audio/ui/sound_controls.h"
#include "common/ui/error_box.h"
#include "common/ui/track_bar.h"
#include "common/ui/upper_case_line_edit.h"
#include "editzone/ui/edit_zone.h"
#include "exercise/ui/series_controls.h"
#include "practice/ui/copy_check_window.h"
#include "reception/conditions_text.h"

#include <QCheckBox>
#include <QRadioButton>
#include <QTextEdit>

namespace brivo::ui {

void TForm1::buildCopyCheck(std::filesystem::path historyFile)
{
    practice::ui::CopyCheckWindow::Source source{
        [this] { return editZone->plainText(); },
        [this] {
            const KeyingParameters keying = sound->keyingParameters();
            const reception::ReceptionConditions conditions = renderConditions(false);
            return practice::ExerciseConditions{keying.speedPosition / 6.0, keying.spacingFactor,
                                                keying.noisePosition / 2,
                                                conditions.any() ? reception::conditionsText(conditions) : std::string(),
                                                conditions.effectiveWpm};
        },
        [this](char32_t c) { return practice::hasPattern(morseTable_, c); },
    };
    copyCheck = new practice::ui::CopyCheckWindow(dialogs_, practice::HistoryStore(std::move(historyFile)),
                                                  std::move(source), this);
    connect(copyCheck, &practice::ui::CopyCheckWindow::drillRequested, this,
            [this](const QString& drill) { ErrorBox::guarded([this, drill] { practiseWeakCharacters(drill); })(); });
}

void TForm1::practiseWeakCharacters(const QString& drill)
{
    const std::size_t last = exercise::kSeriesCount - 1;
    series->Serie[last]->setText(drill);
    for (std::size_t i = 0; i < exercise::kSeriesCount; ++i)
        series->Selec[i]->setChecked(i == last);
    RBseriesClick(series->RBseries);
    editZone->RichEdit->selectAll();
    BoutonRemplirClick();
}

} // namespace brivo::ui
