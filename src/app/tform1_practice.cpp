// The copy check: its window, and the drill of the weak characters.
#include "app/tform1.h"
#include "audio/ui/sound_controls.h"
#include "common/edit_text.h"
#include "common/monotonic_clock.h"
#include "common/ui/error_box.h"
#include "common/ui/track_bar.h"
#include "common/ui/upper_case_line_edit.h"
#include "common/utf8.h"
#include "drills/ui/drill_window.h"
#include "editzone/ui/edit_zone.h"
#include "exercise/ui/series_controls.h"
#include "practice/ui/copy_check_window.h"
#include "practice/ui/course_window.h"
#include "reception/conditions_text.h"
#include "reception/keyed_marks.h"
#include "reception/ui/reception_window.h"
#include "sending/ui/sending_window.h"

#include <QCheckBox>
#include <QLabel>
#include <QRadioButton>
#include <QTextEdit>

namespace brivo::ui {

void TForm1::buildCopyCheck(std::filesystem::path historyFile)
{
    practice::ui::CopyCheckWindow::Source source{
        [this] { return editZone->plainText(); },
        [this] {
            const ZoneRender render = zoneRender();
            return practice::exerciseConditions(render.parameters, render.conditions);
        },
        [this](char32_t c) { return practice::hasPattern(morseTable_, c); },
        [this](char32_t c) { return practice::soundsAs(morseTable_, c); },
    };
    copyCheck = new practice::ui::CopyCheckWindow(dialogs_, practice::HistoryStore(std::move(historyFile)),
                                                  std::move(source), this);
    connect(copyCheck, &practice::ui::CopyCheckWindow::drillRequested, this,
            [this](const QString& drill) { ErrorBox::guarded([this, drill] { practiseWeakCharacters(drill); })(); });
}

void TForm1::buildCourse()
{
    practice::ui::CourseWindow::Source source{
        [this](char32_t c) { return practice::hasPattern(morseTable_, c); },
        // A session's length as the render keys it, at the course's speeds.
        [this](const std::u32string& text) {
            return practice::courseSeconds(text, morseTable_, courseWindow->speeds());
        },
        [this]() -> RandomGenerator& { return random_; },
        [this]() -> const MorseTable& { return morseTable_; },
        [this](const QString& copy) { return copyCheck->correct(copy, courseWindow); },
    };
    courseWindow = new practice::ui::CourseWindow(dialogs_, copyCheck->history(), std::move(source), this);
    connect(courseWindow, &practice::ui::CourseWindow::sessionReady, this,
            [this](const practice::ui::CourseSession& session) {
                ErrorBox::guarded([&] { startCourseSession(session); })();
            });
    connect(copyCheck, &practice::ui::CopyCheckWindow::courseCheckRecorded, this,
            [this](const practice::CopyCheck& check, bool stored) {
                ErrorBox::guarded([this, &check, stored] { courseWindow->courseCheckRecorded(check, stored); })();
            });
}

void TForm1::startCourseSession(const practice::ui::CourseSession& course)
{
    // Masked first, so that a screen reader never reads the session out.
    if (course.mask && !editZone->STmasquer->isVisible())
        editZone->MasquerZoneClick();
    editZone->RichEdit->selectAll();
    insertGeneratedText(course.text);
    courseSession_ = std::make_unique<practice::ui::CourseSession>(course);
    courseSession_->text = editZone->plainText();
    copyCheck->setCourseSession(course.course, courseSession_->text);
    if (course.play)
        BoutonLectureClick();
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

void TForm1::buildSending()
{
    sendingWindow = new sending::ui::SendingWindow(
        {[this](std::unique_ptr<PcmSource> source) { return session_.openLive(std::move(source)); },
         [this] { session_.closeLive(); }},
        morseTable_,
        [this] {
            const KeyingValues values = deriveKeyingValues(sound->keyingParameters(), kDefaultSampleRate);
            return sending::ui::SendingWindow::Tone{values.toneFrequency, static_cast<double>(values.toneAmplitude)};
        },
        this);
    sendingWindow->setCourseCharacters([this] { return courseWindow->state().characters(); });
    sendingWindow->setRecorder([store = copyCheck->history()](const practice::SendingSession& session) mutable {
        return store.recordSending(session);
    });
}

void TForm1::buildDrills()
{
    drills::ui::DrillWindow::Services services{
        [this] {
            const ZoneRender render = zoneRender();
            return drills::DrillSound{render.parameters, render.conditions};
        },
        [this](PcmSound samples) { return session_.openLive(memorySource(std::move(samples))); },
        [this] { return session_.heardOrigin(); },
        [] { return static_cast<double>(monotonicMicros()) / 1e6; },
        [this] { return courseWindow->state().characters(); },
        [this] {
            std::u32string ticked;
            for (std::size_t i = 0; i < exercise::kSeriesCount; ++i) {
                if (!series->Selec[i]->isChecked())
                    continue;
                for (const char32_t c : practice::normalise(series->Serie[i]->text().toStdString())) {
                    if (c != U' ' && practice::hasPattern(morseTable_, c) && ticked.find(c) == std::u32string::npos)
                        ticked += c;
                }
            }
            return ticked;
        },
        [this]() -> std::optional<practice::CourseTag> {
            return courseSession_ ? std::optional(courseSession_->course) : std::nullopt;
        },
        [this] { return conditionsWindow->spokenAnswers().has_value(); },
    };
    drillWindow = new drills::ui::DrillWindow(std::move(services), morseTable_, copyCheck->history(), this);
}

} // namespace brivo::ui
