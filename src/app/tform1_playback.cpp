// The playback row: the four buttons, the status line and the live entry.
#include "app/tform1.h"
#include "audio/ui/sound_controls.h"
#include "common/messages.h"
#include "common/ui/announcer.h"
#include "common/ui/track_bar.h"
#include "common/ui/upper_case_line_edit.h"
#include "player/status_display.h"
#include "player/ui/playback_row.h"
#include "reception/ui/reception_window.h"

#include <QLabel>
#include <QPushButton>
#include <QTimer>

namespace brivo::ui {

void TForm1::BoutonLectureClick()
{
    BoutonGeneFicClick(playback->BoutonLecture);
    session_.playGenerated();
}

void TForm1::BoutonLireClick()
{
    session_.replay();
}

void TForm1::BoutonPauseClick()
{
    session_.pauseOrResume();
}

void TForm1::BoutonStopClick()
{
    session_.stopAndRewind();
}

void TForm1::Timer1Timer()
{
    const PlaybackSession::Status status = session_.poll();
    playback->BoutonLire->setEnabled(status.row.lire);
    playback->BoutonPause->setEnabled(status.row.pause);
    playback->BoutonStop->setEnabled(status.row.stop);
    if (status.row.releasesLive)
        playback->EditLive->setReadOnly(false);
    const QString text = QString::fromStdString(status.line);
    playback->showStatus(text, conditionsWindow->enabled());
    // The state (Lecture, Pause, Arrêté...) is announced when it changes;
    // a live character is announced alone, not the play of its file, and
    // whatever plays next is announced even if it is in the same state.
    const QString state = text.section(u':', 0, 0).trimmed();
    if (liveFile_) {
        announcedState_.clear();
    } else if (state != announcedState_) {
        announcedState_ = state;
        if (!state.isEmpty())
            announcer_->announce(QString::fromStdString(spokenStatus(status.line)));
    }
}

void TForm1::EditLiveChange()
{
    // Started only when stopped: restarting it at every key would hold the
    // queue back for as long as the typist keeps typing.
    if (playback->EditLive->isModified() && !playback->EditLive->text().isEmpty() && !playback->Timer2->isActive())
        playback->Timer2->start();
}

void TForm1::Timer2Timer()
{
    auto* entry = playback->EditLive;
    if (entry->text().isEmpty()) {
        playback->Timer2->stop();
        return;
    }
    if (!session_.beginLiveCharacter())
        return;
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

    // One whole character, even one outside the Basic Multilingual Plane.
    const QString queue = entry->text();
    const qsizetype length = queue.at(0).isHighSurrogate() && queue.size() > 1 ? 2 : 1;
    playback->STlive->setText(queue.left(length));
    announcer_->announce(queue.left(length));
    liveFile_ = true;
    entry->setText(queue.mid(length));
    entry->setCursorPosition(static_cast<int>(entry->text().size()));
    BoutonGeneFicClick(entry);
    session_.playLive();
}

void TForm1::EditLiveKeyDown(int key)
{
    if (playback->EditLive->isReadOnly() || key != Qt::Key_Escape || !session_.playerOpen())
        return;
    playback->EditLive->clear();
    playback->STlive->clear();
    session_.stopAndRewind();
}

} // namespace brivo::ui
