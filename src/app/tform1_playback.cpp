// The playback row: the four buttons, the status line and the live entry.
#include "app/tform1.h"
#include "audio/ui/sound_controls.h"
#include "common/ui/track_bar.h"
#include "common/ui/upper_case_line_edit.h"
#include "player/status_display.h"
#include "player/ui/playback_row.h"

#include <QLabel>
#include <QPushButton>
#include <QTimer>

namespace brivo::ui {

void TForm1::BoutonLectureClick()
{
    BoutonGeneFicClick(playback->BoutonLecture);
    if (PlayerOpen && FileGenerated)
        MediaPlayer1.device.play();
}

void TForm1::BoutonLireClick()
{
    if (!PlayerOpen)
        return;
    MediaPlayer1.device.seekToStart();
    MediaPlayer1.device.play();
}

void TForm1::BoutonPauseClick()
{
    if (PlayerOpen)
        MediaPlayer1.device.pauseOrResume();
}

void TForm1::BoutonStopClick()
{
    if (!PlayerOpen)
        return;
    MediaPlayer1.device.stop();
    MediaPlayer1.device.seekToStart();
}

void TForm1::Timer1Timer()
{
    const std::optional<PlayerMode> mode =
        PlayerOpen ? std::optional<PlayerMode>(MediaPlayer1.device.mode()) : std::nullopt;
    const status::StatusRow row = status::rowFor(mode);
    playback->BoutonLire->setEnabled(row.lire);
    playback->BoutonPause->setEnabled(row.pause);
    playback->BoutonStop->setEnabled(row.stop);
    if (row.releasesLive) {
        LiveBusy = false;
        playback->EditLive->setReadOnly(false);
    }
    const QString text = QString::fromStdString(status::statusLine(row, MediaPlayer1.device));
    // Written only when it changes, so the line does not flicker.
    if (playback->Info->text() != text)
        playback->Info->setText(text);
}

void TForm1::EditLiveChange()
{
    if (playback->EditLive->isModified() && !playback->EditLive->text().isEmpty())
        playback->Timer2->start();
}

void TForm1::Timer2Timer()
{
    auto* entry = playback->EditLive;
    if (entry->text().isEmpty()) {
        playback->Timer2->stop();
        return;
    }
    if (LiveBusy)
        return;
    LiveBusy = true;

    // The character is keyed without noise; the user's setting and its
    // caption come back afterwards, even when the render or the player
    // fails.
    TrackBar* noise = sound->TBsouffle;
    const int noisePosition = noise->value();
    noise->setPosition(0);
    struct RestoreNoise {
        TrackBar* bar;
        int position;
        ~RestoreNoise() { bar->setPosition(position); }
    } restore{noise, noisePosition};

    const QString queue = entry->text();
    playback->STlive->setText(queue.left(1));
    entry->setText(queue.mid(1));
    entry->setCursorPosition(static_cast<int>(entry->text().size()));
    BoutonGeneFicClick(entry);
    if (PlayerOpen)
        MediaPlayer1.device.play();
}

void TForm1::EditLiveKeyDown(int key)
{
    if (playback->EditLive->isReadOnly() || key != Qt::Key_Escape || !PlayerOpen)
        return;
    playback->EditLive->clear();
    playback->STlive->clear();
    MediaPlayer1.device.stop();
    MediaPlayer1.device.seekToStart();
}

} // namespace brivo::ui
