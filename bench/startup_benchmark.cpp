// Start-up to the first shown window (code table loaded and its grid
// filled), and the memory held once idle, on the platform Qt is given
// (offscreen by default) with SDL's dummy sound driver. Runs in a fresh
// temporary folder, so the definition file is written as on a first start.
// Then "Générer" on 432 groups with spoken answers: how long it takes, and
// the longest the event loop waited meanwhile (a 5 ms timer's largest gap).
#include "app/brivo_application.h"
#include "app/tform1.h"
#include "common/ui/dialogs.h"
#include "morse/ui/code_grid.h"
#include "player/sdl_wave_player.h"
#include "resident_memory.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

int main(int argc, char** argv)
{
    if (std::getenv("QT_QPA_PLATFORM") == nullptr)
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    if (std::getenv("SDL_AUDIODRIVER") == nullptr)
        setenv("SDL_AUDIODRIVER", "dummy", 1);
    QElapsedTimer clock;
    clock.start();
    QApplication application(argc, argv);
    brivo::ui::installFontSubstitutes();
    QTemporaryDir folder;
    brivo::ui::QtDialogs dialogs;
    brivo::SdlWavePlayer player;
    brivo::ui::TForm1 form(dialogs, player, folder.path().toStdString(),
                           std::filesystem::path(folder.path().toStdString()) / "BRIVO.reg",
                           std::filesystem::path(folder.path().toStdString()) / "historique.sqlite");
    form.show();
    // The code table is loaded once its grid shows the patterns.
    const auto* grid = form.findChild<brivo::ui::CodeGrid*>(QStringLiteral("StringGridCW"));
    while (grid->cellText(66, 2) != QStringLiteral(".-") && clock.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    const qint64 shownMs = clock.elapsed();
    for (int i = 0; i < 20; ++i) { // one second of idle event loop, Timer1 ticking
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        QThread::msleep(50);
    }
    std::printf("start-up to the shown window with its code table: %lld ms; resident memory once idle: %ld KiB\n",
                static_cast<long long>(shownMs), residentKilobytes());

    QString groups;
    for (int group = 0; group < 432; ++group)
        groups += QStringLiteral("KMURE").at(group % 5) + QStringLiteral("SNAPT") + (group % 10 == 9 ? u'\n' : u' ');
    form.findChild<QTextEdit*>(QStringLiteral("RichEdit"))->setPlainText(groups);
    form.findChild<QCheckBox*>(QStringLiteral("CBreponse"))->setChecked(true);
    QElapsedTimer gap;
    qint64 longest = 0;
    QTimer ticks;
    QObject::connect(&ticks, &QTimer::timeout, [&] { longest = std::max(longest, gap.restart()); });
    ticks.start(5);
    gap.start();
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    longest = 0;
    clock.restart();
    QTimer::singleShot(0, &form,
                       [&] { form.BoutonGeneFicClick(form.findChild<QObject*>(QStringLiteral("BoutonGeneFic"))); });
    const auto file = std::filesystem::path(folder.path().toStdString()) / "Morse.WAV";
    while (clock.elapsed() < 60000 && !(std::filesystem::exists(file) && std::filesystem::file_size(file) > 1000000))
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    std::printf("Générer, 432 groups with spoken answers at 11025 Hz: %lld ms for %.0f s of sound, the window waiting "
                "%lld ms at most\n",
                static_cast<long long>(clock.elapsed()),
                static_cast<double>(std::filesystem::file_size(file) - 58) / 2 / 11025,
                static_cast<long long>(longest));
    return 0;
}
