// "Générer": the render of the edit zone (or of the live character) into
// the WAV file.
#include "app/tform1.h"
#include "audio/message_renderer.h"
#include "audio/ui/sound_controls.h"
#include "common/edit_text.h"
#include "common/ui/dialogs.h"
#include "common/ui/upper_case_line_edit.h"
#include "editzone/ui/edit_zone.h"
#include "player/ui/playback_row.h"

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

void TForm1::BoutonGeneFicClick(QObject* sender)
{
    FileGenerated = false;
    const bool live = sender == playback->EditLive;
    RenderRequest request;
    request.form = live ? RenderForm::Live : RenderForm::Message;
    if (live) {
        request.text = keyed(playback->STlive->text());
    } else {
        const QString zone = editZone->plainText();
        request.text = keyed(EditDebut->text() + zone + EditFin->text());
        playback->EditLive->clear();
        playback->EditLive->setReadOnly(true);
        if (zone.isEmpty()) {
            playback->EditLive->setReadOnly(false);
            dialogs_.message(this, u"La zone de saisie ne contient\naucun texte à convertir en son !"_s,
                             u" Pas de données :"_s);
            return;
        }
    }
    request.parameters = sound->keyingParameters();
    request.previousSampleRate = SampleRate;
    request.path = sound->SaveDialogWAV.fileName.toStdString();

    // Refused before the player is touched: the previous file stays playable.
    if (!renderFitsInWavFile(request, morseTable)) {
        playback->EditLive->setReadOnly(false);
        dialogs_.message(this, u"Le texte est trop long : le fichier sonore dépasserait 4 Go."_s, u"Erreur..."_s);
        return;
    }

    MediaPlayer1.fileName = sound->SaveDialogWAV.fileName;
    if (PlayerOpen) {
        MediaPlayer1.device.close();
        PlayerOpen = false;
    }

    QElapsedTimer clock;
    clock.start();
    bool busyCursor = false;
    const RenderOutcome outcome =
        renderMorseFile(request, morseTable, random, [&](std::uint64_t done, std::uint64_t total) {
            if (clock.elapsed() < kProgressDelayMs || total == 0)
                return;
            if (!busyCursor) {
                QApplication::setOverrideCursor(Qt::WaitCursor);
                busyCursor = true;
            }
            // Painted at once: the render keeps the event loop waiting.
            playback->Info->setText(u"Rendu : %1 %"_s.arg(done * 100 / total));
            playback->Info->repaint();
        });
    if (busyCursor)
        QApplication::restoreOverrideCursor();
    SampleRate = outcome.sampleRate;

    if (outcome.status != RenderStatus::Written) {
        playback->EditLive->setReadOnly(false);
        dialogs_.message(this, u"Pas de fichier Généré !"_s, u"Erreur..."_s);
        return;
    }
    FileGenerated = true;
    if (!PlayerOpen) {
        MediaPlayer1.device.open(MediaPlayer1.fileName.toStdString());
        PlayerOpen = true;
    }
}

} // namespace brivo::ui
