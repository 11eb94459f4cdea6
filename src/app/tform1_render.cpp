// "Générer": the render of the edit zone (or of the live character) into
// the WAV file.
#include "app/tform1.h"
#include "audio/message_renderer.h"
#include "audio/ui/sound_controls.h"
#include "common/edit_text.h"
#include "common/messages.h"
#include "common/ui/background_work.h"
#include "common/ui/dialogs.h"
#include "common/ui/error_box.h"
#include "common/ui/upper_case_line_edit.h"
#include "common/ui/widgets.h"
#include "editzone/ui/edit_zone.h"
#include "export/ui/export_dialog.h"
#include "player/ui/playback_row.h"
#include "practice/ui/course_window.h"
#include "reception/keyed_marks.h"
#include "reception/keying_envelope.h"
#include "reception/reception_renderer.h"
#include "reception/render_check.h"
#include "reception/ui/reception_window.h"
#include "speech/answered_render.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>

namespace brivo::ui {

using namespace Qt::StringLiterals;

namespace {

// A render longer than this shows its progress in the status line.
constexpr qint64 kProgressDelayMs = 300;

KeyedText keyed(const QString& text)
{
    return keyedTextFromUtf8(text.toStdString());
}

} // namespace

reception::ReceptionConditions TForm1::renderConditions(bool live) const
{
    reception::ReceptionConditions conditions = conditionsWindow->conditions();
    if (!live || !conditions.any())
        return conditions;
    // A live character keeps its clean sound: only the keying envelope.
    reception::ReceptionConditions clean;
    clean.shape = conditions.shape;
    clean.riseMs = conditions.riseMs;
    return clean;
}

TForm1::ZoneRender TForm1::zoneRender() const
{
    ZoneRender render;
    const QString zone = editZone->plainText();
    QString before = EditDebut->text();
    render.text = before + zone + EditFin->text();
    render.parameters = sound->keyingParameters();
    render.conditions = renderConditions(false);
    const auto answerZone = [&] {
        render.answeredFrom = keyed(before).size();
        render.answeredTo = render.answeredFrom + keyed(zone).size();
    };
    if (!courseSession_ || zone != courseSession_->text) {
        answerZone();
        return render;
    }
    const practice::CourseSpeeds& speeds = courseSession_->speeds;
    render.parameters.speedPosition = 6 * speeds.characterWpm; // PARIS: a unit is 1.2 s / WPM
    render.parameters.referenceWord = ReferenceWord::Paris;
    if (speeds.effectiveWpm < speeds.characterWpm) {
        render.conditions.effectiveWpm = speeds.effectiveWpm;
        render.parameters.spacingFactor = 1; // the effective speed sets the gaps
    } else {
        render.conditions.effectiveWpm.reset();
    }
    if (!courseSession_->introduction.isEmpty()) {
        before = courseSession_->introduction + u"   "_s + before;
        render.text = courseSession_->introduction + u"   "_s + render.text;
        render.preface = courseSession_->introducedNames;
    }
    answerZone();
    return render;
}

void TForm1::buildExport()
{
    exporting::ui::ExportDialog::Source source{
        // The zone as "Générer" renders it, refused for the same reasons.
        [this]() -> std::optional<exporting::ExportRequest> {
            const QString zone = editZone->plainText();
            if (zone.isEmpty()) {
                dialogs_.message(this, fromUtf8(messages::kEmptyText), fromUtf8(messages::kNoDataTitle));
                return std::nullopt;
            }
            const ZoneRender render = zoneRender();
            exporting::ExportRequest request;
            request.render.text = keyed(render.text);
            request.render.parameters = render.parameters;
            request.conditions = render.conditions;
            request.spokenAnswers = conditionsWindow->spokenAnswers();
            request.answered = {render.answeredFrom, render.answeredTo};
            if (const auto accepted =
                    reception::checkRender(request.render.parameters, kDefaultSampleRate, request.conditions);
                !accepted) {
                dialogs_.message(this, QString::fromStdString(accepted.error().message),
                                 fromUtf8(messages::kRenderErrorTitle));
                return std::nullopt;
            }
            return request;
        },
        [this]() -> const MorseTable& { return morseTable_; },
        [this] { return static_cast<std::uint32_t>(random_.next()); },
    };
    exportDialog = new exporting::ui::ExportDialog(dialogs_, std::move(source), this);
}

void TForm1::BoutonGeneFicClick(QObject* sender)
{
    session_.renderStarting();
    const bool live = sender == playback->EditLive;
    liveFile_ = live;
    RenderRequest request;
    request.form = live ? RenderForm::Live : RenderForm::Message;
    const ZoneRender zoneRendered = live ? ZoneRender{} : zoneRender();
    if (live) {
        request.text = keyed(playback->STlive->text());
        request.parameters = sound->keyingParameters();
    } else {
        const QString zone = editZone->plainText();
        request.text = keyed(zoneRendered.text);
        request.parameters = zoneRendered.parameters;
        playback->EditLive->clear();
        playback->EditLive->setReadOnly(true);
        if (zone.isEmpty()) {
            playback->EditLive->setReadOnly(false);
            dialogs_.message(this, fromUtf8(messages::kEmptyText), fromUtf8(messages::kNoDataTitle));
            return;
        }
    }
    request.previousSampleRate = session_.sampleRate();
    request.path = inStartFolder(sound->SaveDialogWAV.fileName);
    const reception::ReceptionConditions conditions = live ? renderConditions(true) : zoneRendered.conditions;

    // Refused before the player is touched: the previous file stays playable.
    const auto checked = reception::checkRender(request.parameters, renderSampleRate(request), conditions);
    if (!checked) {
        playback->EditLive->setReadOnly(false);
        dialogs_.message(this, QString::fromStdString(checked.error().message), fromUtf8(messages::kRenderErrorTitle));
        return;
    }
    if (!reception::fitsInWavFile(request, morseTable_, conditions)) {
        playback->EditLive->setReadOnly(false);
        dialogs_.message(this, fromUtf8(messages::kTooLong), fromUtf8(messages::kRenderErrorTitle));
        return;
    }
    // A rise too long for the speed is shortened: the conditions window and
    // the mark's hint say so.
    const QString riseNote = *checked ? u"Au dernier rendu, "_s + QString::fromStdString(**checked) + u'.' : QString();
    conditionsWindow->setRiseNote(riseNote);
    const QString markHint =
        fromUtf8(messages::kConditionsMarkHint) + (riseNote.isEmpty() ? QString() : u"\n"_s + riseNote);
    playback->ConditionsMark->setToolTip(markHint);
    playback->ConditionsMark->setAccessibleDescription(markHint);
    session_.releaseFor(request.path);

    QElapsedTimer clock;
    clock.start();
    bool busyCursor = false;
    const auto showProgress = [&](std::uint64_t done, std::uint64_t total) {
        if (clock.elapsed() < kProgressDelayMs || total == 0)
            return;
        if (!busyCursor) {
            QApplication::setOverrideCursor(Qt::WaitCursor);
            busyCursor = true;
        }
        // Painted at once: the render keeps the event loop waiting.
        playback->Info->setText(u"Rendu : %1 %"_s.arg(done * 100 / total));
        playback->Info->repaint();
    };
    // Eyes-free practice: the answers go into the silences of the message,
    // rendered on a worker while the window keeps painting. Without a
    // voice the file is still the render, and plays.
    std::optional<Result<RenderedFile>> answeredRender;
    if (const std::optional<speech::AnswerOptions> answers = conditionsWindow->spokenAnswers(); answers && !live) {
        std::atomic<std::uint64_t> done{0};
        std::atomic<std::uint64_t> total{0};
        Result<speech::AnsweredRender> answered = fail(ErrorCode::Cancelled, {});
        whileWindowPaints(
            [&] {
                answered = speech::renderAnsweredFile(
                    request, morseTable_, conditions, *answers, random_, zoneRendered.preface.toStdString(),
                    {zoneRendered.answeredFrom, zoneRendered.answeredTo}, [&](std::uint64_t d, std::uint64_t t) {
                        done = d;
                        total = t;
                    });
            },
            [&] { showProgress(done, total); });
        if (answered)
            answeredRender = RenderedFile{answered->sampleRate(), static_cast<std::uint32_t>(answered->sampleCount())};
        else if (answered.error().code == ErrorCode::DeviceFailed)
            dialogs_.message(this,
                             u"La réponse parlée n'a pas pu être ajoutée : "_s +
                                 QString::fromStdString(answered.error().message),
                             fromUtf8(messages::kRenderErrorTitle));
        else
            answeredRender = answered.error();
    }
    const Result<RenderedFile> rendered =
        answeredRender ? std::move(*answeredRender)
                       : reception::renderWithConditions(request, morseTable_, conditions, random_, showProgress);
    if (busyCursor)
        QApplication::restoreOverrideCursor();

    // A file that was created settles the new rate, even when a later write
    // failed.
    const bool created = rendered || rendered.error().code == ErrorCode::WriteFailed;
    session_.renderEnded(created ? renderSampleRate(request) : session_.sampleRate(), rendered.ok());
    if (!rendered) {
        playback->EditLive->setReadOnly(false);
        // A write that failed after the file was created gives its reason.
        QString text = fromUtf8(messages::kNoFileGenerated);
        if (rendered.error().code == ErrorCode::WriteFailed)
            text += u"\n\n"_s +
                    QString::fromStdString(messages::writeInterrupted(request.path.string(), rendered.error().message));
        dialogs_.message(this, text, fromUtf8(messages::kRenderErrorTitle));
        return;
    }
    // A player that cannot take the file reports it in the error box, as
    // an error escaping the handler would. Nothing plays: the live entry is
    // free again (a closed player never releases it).
    if (Result<void> opened = session_.openPlayer(); !opened) {
        playback->EditLive->setReadOnly(false);
        ErrorBox::show(QString::fromStdString(opened.error().message));
    }
}

} // namespace brivo::ui
