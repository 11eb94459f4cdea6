// The settings kept between runs: loaded by the creation steps, saved (or
// purged) by the close steps, and the purge command of the system menu.
#include "app/system_menu.h"
#include "app/tform1.h"
#include "audio/message_renderer.h"
#include "audio/ui/sound_controls.h"
#include "common/messages.h"
#include "common/ui/dialogs.h"
#include "common/ui/error_box.h"
#include "common/ui/spin_edit.h"
#include "common/ui/track_bar.h"
#include "common/ui/upper_case_line_edit.h"
#include "common/ui/widgets.h"
#include "drills/ui/drill_window.h"
#include "editzone/ui/edit_zone.h"
#include "exercise/ui/series_controls.h"
#include "export/export_choices.h"
#include "export/ui/export_dialog.h"
#include "practice/ui/copy_check_window.h"
#include "practice/ui/course_window.h"
#include "reception/conditions_text.h"
#include "reception/ui/reception_window.h"
#include "sending/keyer_settings_text.h"
#include "sending/ui/sending_window.h"
#include "settings/settings.h"
#include "settings/settings_file.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QScreen>

#include <algorithm>
#include <cstdio>
#include <ctime>

namespace brivo::ui {

using namespace Qt::StringLiterals;

namespace {

QString fromStd(const std::string& text)
{
    return QString::fromStdString(text);
}

// A text set by the program is kept whole, even past the box's limit.
void setWhole(QLineEdit* edit, const QString& text)
{
    edit->setMaxLength(std::max(edit->maxLength(), static_cast<int>(text.size())));
    edit->setText(text);
}

} // namespace

settings::Settings TForm1::collectSettings() const
{
    settings::Settings s;
    s.left = frameGeometry().left();
    s.top = frameGeometry().top();
    s.tone = sound->TBfreq->value();
    s.signal = sound->TBsignal->value();
    s.noise = sound->TBsouffle->value();
    s.speed = sound->TBvitesse->value();
    s.groups = series->CSpinEditGroupes->value();
    s.groupSize = series->CSpinEditLettres->value();
    for (std::size_t i = 0; i < exercise::kSeriesCount; ++i) {
        s.ticked[i] = series->Selec[i]->isChecked();
        s.series[i] = series->Serie[i]->text().toStdString();
    }
    s.rateIndex = sound->ComboBoxFe->currentIndex();
    s.wavFile = sound->SaveDialogWAV.fileName.toStdString();
    s.start = EditDebut->text().toStdString();
    s.end = EditFin->text().toStdString();
    s.openFile = editZone->openFileName.toStdString();
    s.saveFile = editZone->saveFileName.toStdString();
    s.openFilter = editZone->OpenDialogData.selectedFilter;
    s.saveFilter = editZone->SaveDialogData.selectedFilter;
    s.spacing = sound->CSdureeSP->value();
    s.seriesMode = seriesMode_;
    s.letterGroups = series->CSElettres->value();
    s.digitGroups = series->CSEchiffres->value();
    s.textColour = editZone->textColour();
    s.backgroundColour = editZone->backgroundColour();
    s.zoneText = editZone->plainTextCrLf().toStdString();
    s.zoneTextScale = editZone->textScale();
    s.referenceWord = sound->CBmot->currentIndex() == 1 ? 1 : 0;
    s.conditionsOn = conditionsWindow->enabled();
    const std::optional<speech::AnswerOptions> answers = conditionsWindow->spokenAnswers();
    s.spokenAnswerTenths = answers ? static_cast<int>(std::lround(answers->pauseSeconds * 10)) : 0;
    s.spokenAnswerKeyedAgain = answers && answers->keyAgain;
    s.conditions = reception::conditionsText(conditionsWindow->settings());
    s.course = practice::courseSettingsText(courseWindow->settings());
    s.exportChoices = exporting::exportChoicesText(exportDialog->choices());
    s.sending = sending::sendingSettingsText(sendingWindow->settings());
    s.drills = drillWindow->settingsText();
    return s;
}

// Said once: the corrected line is what the close saves.
void TForm1::reportAdjustedLine(std::string_view name, const std::vector<std::string>& skipped, bool clamped)
{
    std::string words;
    for (const std::string& word : skipped)
        words += (words.empty() ? "" : " ") + word;
    if (clamped)
        words += words.empty() ? "valeurs hors bornes" : ", valeurs hors bornes";
    if (!words.empty())
        ErrorBox::show(QString::fromStdString(messages::settingsLineAdjusted(name, words)));
}

void TForm1::applySettings(const settings::Settings& s)
{
    if (s.left && s.top) {
        startPosition_ = {*s.left, *s.top};
        positionRestored_ = true;
    } else if (s.left || s.top) {
        startPosition_ = {s.left.value_or(startPosition_.x()), s.top.value_or(startPosition_.y())};
        positionRestored_ = true;
    }
    sound->TBfreq->setPosition(s.tone);
    sound->TBsignal->setPosition(s.signal);
    sound->TBsouffle->setPosition(s.noise);
    sound->TBvitesse->setPosition(s.speed);
    series->CSpinEditGroupes->setValue(s.groups);
    series->CSpinEditLettres->setValue(s.groupSize);
    for (std::size_t i = 0; i < exercise::kSeriesCount; ++i) {
        series->Selec[i]->setChecked(s.ticked[i]);
        series->Serie[i]->setText(fromStd(s.series[i]));
    }
    sound->ComboBoxFe->setCurrentIndex(s.rateIndex);
    session_.restoreSampleRate(sound::kSampleRates[static_cast<std::size_t>(s.rateIndex)]);
    sound->SaveDialogWAV.fileName = fromStd(s.wavFile);
    setWhole(EditDebut, fromStd(s.start));
    setWhole(EditFin, fromStd(s.end));
    editZone->openFileName = fromStd(s.openFile);
    editZone->saveFileName = fromStd(s.saveFile);
    editZone->OpenDialogData.selectedFilter = s.openFilter;
    editZone->SaveDialogData.selectedFilter = s.saveFilter;
    sound->CSdureeSP->setValue(s.spacing);
    seriesMode_ = s.seriesMode;
    series->CSElettres->setValue(s.letterGroups);
    series->CSEchiffres->setValue(s.digitGroups);
    editZone->setColours(s.textColour, s.backgroundColour);
    editZone->setPlainText(fromStd(s.zoneText));
    editZone->setTextScale(s.zoneTextScale);
    sound->CBmot->setCurrentIndex(s.referenceWord);
    std::vector<std::string> skipped;
    const reception::ReceptionConditions conditions = reception::parseConditionsText(s.conditions, &skipped);
    conditionsWindow->setSettings(conditions, s.conditionsOn);
    reportAdjustedLine("Conditions_Reception", skipped,
                       reception::conditionsText(conditionsWindow->settings()) !=
                           reception::conditionsText(conditions));
    conditionsWindow->setSpokenAnswers(
        s.spokenAnswerTenths > 0, {s.spokenAnswerTenths > 0 ? s.spokenAnswerTenths / 10.0 : speech::kDefaultAnswerPause,
                                   s.spokenAnswerKeyedAgain});
    skipped.clear();
    sendingWindow->setSettings(sending::parseSendingSettings(s.sending));
    drillWindow->setSettingsText(s.drills);
    practice::CourseSettings course = practice::parseCourseSettings(s.course, &skipped);
    courseWindow->setSettings(course);
    reportAdjustedLine("Cours_Koch", skipped, courseWindow->settings() != course);
    exportDialog->setChoices(exporting::parseExportChoices(s.exportChoices));
}

// A value of the wrong type costs only that value: its error is shown and
// every other value still loads.
void TForm1::loadSettings()
{
    const Result<settings::RegistryFile> file = settings::readSettingsFile(settingsFile_);
    if (!file) {
        // A store that cannot be read is never written over: it is moved
        // aside, or, when even that fails, left alone for good.
        const std::string path = settingsFile_.string();
        const Result<std::filesystem::path> aside = settings::setAsideSettingsFile(settingsFile_, std::time(nullptr));
        keepUnreadStore_ = !aside;
        ErrorBox::show(
            QString::fromStdString(aside ? messages::settingsSetAside(path, file.error().message, aside->string())
                                         : messages::settingsKeptUnread(path, file.error().message)));
        return;
    }
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    settings::Settings stored = collectSettings();
    stored.left.reset();
    stored.top.reset();
    const std::vector<std::string> errors = settings::load(*file, {screen.width(), screen.height()}, stored);
    applySettings(stored);
    for (const std::string& error : errors)
        ErrorBox::show(QString::fromStdString(error));
}

// Values the program does not know are written back as they were.
void TForm1::saveSettings()
{
    if (keepUnreadStore_)
        return;
    const auto failed = [this](const std::string& reason) {
        const std::string message = messages::settingsNotSaved(settingsFile_.string(), reason);
        settingsSaveFailed_ = true;
        if (quitBySignal_)
            std::fprintf(stderr, "brivo : %s\n", message.c_str());
        else
            ErrorBox::show(QString::fromStdString(message));
    };
    Result<settings::RegistryFile> file = settings::readSettingsFile(settingsFile_);
    if (!file) {
        failed(file.error().message);
        return;
    }
    settings::RegistryFile store = std::move(*file);
    settings::save(collectSettings(), store);
    if (const Result<void> written = settings::writeSettingsFile(settingsFile_, store); !written)
        failed(written.error().message);
}

void TForm1::purgeSettings()
{
    (void)settings::removeSettingsFile(settingsFile_); // a failed deletion changes nothing for the user
    QApplication::beep();
}

void TForm1::onSystemCommand(int command)
{
    if (command == SystemMenu::kCopyCheckCommand) {
        copyCheck->showCheck();
        return;
    }
    if (command == SystemMenu::kConditionsCommand) {
        conditionsWindow->showConditions();
        return;
    }
    if (command == SystemMenu::kCourseCommand) {
        courseWindow->showCourse();
        return;
    }
    if (command == SystemMenu::kSendingCommand) {
        sendingWindow->showSending();
        return;
    }
    if (command == SystemMenu::kDrillsCommand) {
        drillWindow->showDrills();
        return;
    }
    if (command == SystemMenu::kExportCommand) {
        exportDialog->showExport();
        return;
    }
    if (command != SystemMenu::kPurgeCommand)
        return;
    if (dialogs_.confirm(this, QString::fromStdString(messages::purgeQuestion(settingsFile_.string())),
                         fromUtf8(messages::kPurgeTitle))) {
        saveSettingsOnClose_ = false;
        close();
    }
}

} // namespace brivo::ui
