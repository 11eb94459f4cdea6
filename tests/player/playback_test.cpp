#include "app/tform1.h"
#include "audio/ui/sound_controls.h"
#include "common/ui/track_bar.h"
#include "common/ui/upper_case_line_edit.h"
#include "editzone/ui/edit_zone.h"
#include "player/ui/playback_row.h"
#include "player/wav_reader.h"
#include "support/form_fixture.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>
#include <QTextEdit>
#include <QTimer>

#include <algorithm>

using namespace Qt::StringLiterals;
using brivo::PlayerMode;
using brivo::test::FormFixture;

// The playback row and the live entry, on the real window with a player
// whose mode, position and length the test sets.
class PlaybackTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void beforeAnyRenderOnlyTheRenderButtonsWork()
    {
        FormFixture f;
        f.show();
        f.form->Timer1Timer();
        const auto* row = f.form->playback;
        QCOMPARE(row->Info->text(), u"Générez un fichier"_s);
        QVERIFY(!row->BoutonLire->isEnabled());
        QVERIFY(!row->BoutonPause->isEnabled());
        QVERIFY(!row->BoutonStop->isEnabled());
        QVERIFY(row->BoutonGeneFic->isEnabled());
        QVERIFY(row->BoutonLecture->isEnabled());
        QCOMPARE(f.player.modeQueries, 0); // a closed player is not asked
    }

    void afterGenerateAloneTheFileWaitsStopped()
    {
        FormFixture f;
        f.show();
        f.form->editZone->RichEdit->setPlainText(u"E"_s);
        QTest::mouseClick(f.form->playback->BoutonGeneFic, Qt::LeftButton);
        f.player.length = 5250;
        f.form->Timer1Timer();
        const auto* row = f.form->playback;
        QCOMPARE(row->Info->text(), u"Arrété : 0,0 / 5,2s"_s);
        QVERIFY(row->BoutonLire->isEnabled());
        QVERIFY(!row->BoutonPause->isEnabled());
        QVERIFY(!row->BoutonStop->isEnabled());
        QVERIFY(std::find(f.player.calls.begin(), f.player.calls.end(), "play") == f.player.calls.end());
    }

    void statusFollowsThePlayer_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("pause");
        QTest::newRow("playing") << int(PlayerMode::Playing) << u"Lecture : 1,3 / 5,2s"_s << true;
        QTest::newRow("not ready") << int(PlayerMode::NotReady) << u"Non disponible"_s << false;
    }

    void statusFollowsThePlayer()
    {
        QFETCH(int, mode);
        QFETCH(QString, text);
        QFETCH(bool, pause);
        FormFixture f;
        f.show();
        f.generate(u"E"_s);
        f.player.currentMode = PlayerMode(mode);
        f.player.position = 1375;
        f.player.length = 5250;
        f.form->Timer1Timer();
        QCOMPARE(f.form->playback->Info->text(), text);
        QCOMPARE(f.form->playback->BoutonPause->isEnabled(), pause);
    }

    void buttonsDriveThePlayer()
    {
        FormFixture f;
        f.show();
        auto& form = *f.form;
        form.editZone->RichEdit->setPlainText(u"PARIS"_s);
        QTest::mouseClick(form.playback->BoutonLecture, Qt::LeftButton);
        QCOMPARE(f.player.calls, (std::vector<std::string>{"open Morse.WAV", "play"}));
        form.Timer1Timer();
        QTest::mouseClick(form.playback->BoutonPause, Qt::LeftButton);
        QCOMPARE(f.player.currentMode, PlayerMode::Paused);
        form.Timer1Timer();
        QTest::mouseClick(form.playback->BoutonStop, Qt::LeftButton);
        form.Timer1Timer();
        QTest::mouseClick(form.playback->BoutonLire, Qt::LeftButton);
        const std::vector<std::string> expected = {"open Morse.WAV", "play", "pause", "stop", "seek", "seek", "play"};
        QCOMPARE(f.player.calls, expected);
    }

    void generateAndPlayWithAnEmptyZoneLeavesThePlaybackGoingOn()
    {
        FormFixture f;
        f.show();
        auto& form = *f.form;
        form.editZone->RichEdit->setPlainText(u"PARIS"_s);
        form.BoutonLectureClick();
        form.editZone->RichEdit->clear();
        form.BoutonLectureClick();
        QCOMPARE(f.dialogs.messages.size(), 1);
        QCOMPARE(f.player.calls, (std::vector<std::string>{"open Morse.WAV", "play"}));
        QCOMPARE(f.player.currentMode, PlayerMode::Playing);
    }

    void failedOpenSkipsThePlay()
    {
        FormFixture f;
        f.show();
        f.player.openError = "Le périphérique audio ne peut pas être ouvert";
        f.form->editZone->RichEdit->setPlainText(u"E"_s);
        QTest::mouseClick(f.form->playback->BoutonLecture, Qt::LeftButton);
        QCOMPARE(f.dialogs.messages.size(), 1);
        QCOMPARE(f.dialogs.messages[0].text, u"Le périphérique audio ne peut pas être ouvert."_s);
        QCOMPARE(f.player.calls.back(), std::string("open Morse.WAV"));
        f.form->Timer1Timer();
        QCOMPARE(f.form->playback->Info->text(), u"Générez un fichier"_s);
    }

    void liveCharacterIsSentWithoutNoiseAndTheNoiseSettingComesBack()
    {
        FormFixture f;
        f.show();
        auto& form = *f.form;
        form.playback->Timer1->stop();
        form.sound->TBsouffle->setPosition(200);
        form.sound->TBsouffleChange();
        auto* entry = form.playback->EditLive;
        entry->setFocus();
        QTest::keyClicks(entry, u"an"_s);
        QCOMPARE(entry->text(), u"AN"_s);
        QVERIFY(form.playback->Timer2->isActive());

        form.Timer2Timer();
        QCOMPARE(form.playback->STlive->text(), u"A"_s);
        QCOMPARE(entry->text(), u"N"_s);
        QVERIFY(form.LiveBusy);
        QCOMPARE(f.player.calls, (std::vector<std::string>{"open Morse.WAV", "play"}));
        QCOMPARE(form.sound->TBsouffle->value(), 200);
        QCOMPARE(form.sound->GBsouffle->title(), u" Souffle = 100% "_s);
        const auto wav = brivo::readWav(brivo::test::readBytes(f.dir / "Morse.WAV"));
        QVERIFY(wav.ok);
        QCOMPARE(wav.sound.samples.size(), std::size_t{8 * 1102}); // A, live: 1+1+3+1+2 units
        QVERIFY(std::all_of(wav.sound.samples.end() - 2 * 1102, wav.sound.samples.end(),
                            [](std::int16_t s) { return s == 0; }));

        form.Timer2Timer(); // still sounding: nothing is taken
        QCOMPARE(entry->text(), u"N"_s);
        f.player.currentMode = PlayerMode::Stopped; // heard to its end
        form.Timer1Timer();
        QVERIFY(!form.LiveBusy);
        form.Timer2Timer();
        QCOMPARE(form.playback->STlive->text(), u"N"_s);
        QCOMPARE(entry->text(), QString());
        f.player.currentMode = PlayerMode::Stopped;
        form.Timer1Timer();
        form.Timer2Timer();
        QVERIFY(!form.playback->Timer2->isActive());
        QCOMPARE(form.playback->STlive->text(), u"N"_s);
    }

    void textSetByTheProgramDoesNotStartTheQueue()
    {
        FormFixture f;
        f.form->playback->EditLive->setText(u"ABC"_s);
        QVERIFY(!f.form->playback->Timer2->isActive());
    }

    void escapeSilencesOnlyAnOpenPlayerAndAWritableEntry()
    {
        FormFixture f;
        f.show();
        auto& form = *f.form;
        form.playback->Timer1->stop();
        auto* entry = form.playback->EditLive;
        entry->setText(u"SOS"_s);
        QTest::keyClick(entry, Qt::Key_Escape); // no file yet: nothing happens
        QCOMPARE(entry->text(), u"SOS"_s);
        QVERIFY(f.player.calls.empty());

        form.editZone->RichEdit->setPlainText(u"PARIS"_s);
        form.BoutonLectureClick(); // the message makes the entry read-only
        QVERIFY(entry->isReadOnly());
        entry->setText(u"K"_s);
        QTest::keyClick(entry, Qt::Key_Escape);
        QCOMPARE(entry->text(), u"K"_s);
        QCOMPARE(f.player.calls.back(), std::string("play"));

        entry->setReadOnly(false);
        form.playback->STlive->setText(u"E"_s);
        QTest::keyClick(entry, Qt::Key_Escape);
        QCOMPARE(entry->text(), QString());
        QCOMPARE(form.playback->STlive->text(), QString());
        const std::vector<std::string> tail(f.player.calls.end() - 2, f.player.calls.end());
        QCOMPARE(tail, (std::vector<std::string>{"stop", "seek"}));
    }

    void generateAndPlayDropsTheQueueUntilTheMessageHasStopped()
    {
        FormFixture f;
        f.show();
        auto& form = *f.form;
        form.playback->Timer1->stop();
        auto* entry = form.playback->EditLive;
        entry->setFocus();
        QTest::keyClicks(entry, u"sos"_s);
        form.editZone->RichEdit->setPlainText(u"PARIS"_s);
        QTest::mouseClick(form.playback->BoutonLecture, Qt::LeftButton);
        QCOMPARE(entry->text(), QString());
        QVERIFY(entry->isReadOnly());
        form.Timer2Timer(); // the dropped queue sends nothing
        QVERIFY(!form.playback->Timer2->isActive());
        QTest::keyClicks(entry, u"k"_s);
        QCOMPARE(entry->text(), QString());
        f.player.currentMode = PlayerMode::Stopped;
        form.Timer1Timer();
        QVERIFY(!entry->isReadOnly());
    }
};

QTEST_MAIN(PlaybackTest)
#include "playback_test.moc"
