#include "support/form_fixture.h"

#include <algorithm>

using namespace Qt::StringLiterals;
using brivo::PlayerMode;
using brivo::test::FormFixture;

// The playback row and the live entry, on the real window with a player
// whose mode, position and length the test sets.
class PlaybackTest : public QObject {
    Q_OBJECT

private Q_SLOTS:

    void statusFollowsThePlayer_data()
    {
        QTest::addColumn<bool>("rendered");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("enabled"); // Lire, Pause, Stop
        QTest::addColumn<QString>("heard");   // by a screen reader
        QTest::newRow("before any render")
            << false << 0 << u"Générez un fichier"_s << u"---"_s << u"Générez un fichier"_s;
        QTest::newRow("rendered, stopped") << true << int(PlayerMode::Stopped) << u"Arrété : 1,3 / 5,2s"_s << u"L--"_s
                                           << u"Arrété, 1,3 secondes sur 5,2"_s;
        QTest::newRow("playing") << true << int(PlayerMode::Playing) << u"Lecture : 1,3 / 5,2s"_s << u"LPS"_s
                                 << u"Lecture, 1,3 secondes sur 5,2"_s;
        QTest::newRow("not ready") << true << int(PlayerMode::NotReady) << u"Non disponible"_s << u"---"_s
                                   << u"Non disponible"_s;
    }

    // Timer1's view of the player; a closed player is never asked.
    void statusFollowsThePlayer()
    {
        QFETCH(bool, rendered);
        QFETCH(int, mode);
        QFETCH(QString, text);
        QFETCH(QString, enabled);
        QFETCH(QString, heard);
        FormFixture f;
        if (rendered)
            f.generate(u"E"_s);
        f.player.currentMode = PlayerMode(mode);
        f.player.position = 1375;
        f.player.length = 5250;
        f.form->Timer1Timer();
        QCOMPARE(f.control<QLabel>("Info")->text(), text);
        // (After any announcement the window's own timer made meanwhile.)
        QTRY_COMPARE(f.control<QLabel>("Annonce")->text(), heard);
        const QString shown = QString(f.control("BoutonLire")->isEnabled() ? u'L' : u'-') +
                              (f.control("BoutonPause")->isEnabled() ? u'P' : u'-') +
                              (f.control("BoutonStop")->isEnabled() ? u'S' : u'-');
        QCOMPARE(shown, enabled);
        QCOMPARE(f.player.modeQueries > 0, rendered);
        QVERIFY(std::find(f.player.calls.begin(), f.player.calls.end(), "play") == f.player.calls.end());
    }

    void buttonsDriveThePlayer()
    {
        FormFixture f;
        f.control<QTextEdit>("RichEdit")->setPlainText(u"PARIS"_s);
        QTest::mouseClick(f.control<QPushButton>("BoutonLecture"), Qt::LeftButton);
        QCOMPARE(f.player.calls, (std::vector<std::string>{"open Morse.WAV", "play"}));
        f.form->Timer1Timer();
        QTest::mouseClick(f.control<QPushButton>("BoutonPause"), Qt::LeftButton);
        QCOMPARE(f.player.currentMode, PlayerMode::Paused);
        f.form->Timer1Timer();
        QVERIFY2(f.control<QLabel>("Info")->text().startsWith(u"Pause"_s),
                 qPrintable(f.control<QLabel>("Info")->text()));
        QTest::mouseClick(f.control<QPushButton>("BoutonStop"), Qt::LeftButton);
        f.form->Timer1Timer();
        QTest::mouseClick(f.control<QPushButton>("BoutonLire"), Qt::LeftButton);
        const std::vector<std::string> expected = {"open Morse.WAV", "play", "pause", "stop", "seek", "seek", "play"};
        QCOMPARE(f.player.calls, expected);
    }

    void liveCharacterIsSentWithoutNoiseAndTheNoiseSettingComesBack()
    {
        FormFixture f;
        f.control<QTimer>("Timer1")->stop();
        f.control<QSlider>("TBsouffle")->setValue(200); // as the user moves it
        auto* entry = f.control<QLineEdit>("EditLive");
        entry->setFocus();
        QTest::keyClicks(entry, u"an"_s);
        QCOMPARE(entry->text(), u"AN"_s);
        QVERIFY(f.control<QTimer>("Timer2")->isActive());

        f.form->Timer2Timer();
        QCOMPARE(f.control<QLabel>("STlive")->text(), u"A"_s);
        QCOMPARE(entry->text(), u"N"_s);
        QCOMPARE(f.player.calls, (std::vector<std::string>{"open Morse.WAV", "play"}));
        QCOMPARE(f.control<QSlider>("TBsouffle")->value(), 200);
        // A, live and without noise: 1+1+3+1+2 units, the last two silent.
        QCOMPARE(brivo::test::readBytes(f.dir / "Morse.WAV").substr(58 + 2 * 6 * 1102),
                 std::string(2 * 2 * 1102, '\0'));

        f.form->Timer2Timer(); // still sounding: nothing is taken
        QCOMPARE(entry->text(), u"N"_s);
        f.player.currentMode = PlayerMode::Stopped; // heard to its end
        f.form->Timer1Timer();                      // the stopped player ends the live character
        f.form->Timer2Timer();
        QCOMPARE(f.control<QLabel>("STlive")->text(), u"N"_s);
        QCOMPARE(entry->text(), QString());
        f.player.currentMode = PlayerMode::Stopped;
        f.form->Timer1Timer();
        f.form->Timer2Timer();
        QVERIFY(!f.control<QTimer>("Timer2")->isActive());
        QCOMPARE(f.control<QLabel>("STlive")->text(), u"N"_s);
    }

    // Twelve keys 25 ms apart: the first character is sent while the
    // typist is still typing, not once they stop.
    void fastTypingIsSentWhileTyping()
    {
        FormFixture f;
        auto* entry = f.control<QLineEdit>("EditLive");
        entry->setFocus();
        for (const QChar key : u"PARISPARISPA"_s) {
            QTest::keyClick(entry, key.toLatin1());
            QTest::qWait(25);
        }
        QCOMPARE(f.control<QLabel>("STlive")->text(), u"P"_s);
        QVERIFY(entry->text().size() < 12);
        QCOMPARE(f.player.calls, (std::vector<std::string>{"open Morse.WAV", "play"}));
    }

    // A character outside the Basic Multilingual Plane is one live render;
    // text set by the program does not start the queue; a live character
    // that cannot be rendered does not hold the queue.
    void liveQueueTakesWholeCharactersAndGoesOnAfterAFailure()
    {
        FormFixture f;
        f.dialogs.fileAnswers = {QString::fromStdString((f.dir / "absent/Morse.WAV").string())};
        QTest::mouseClick(f.control("BoutonNom"), Qt::LeftButton);
        auto* entry = f.control<QLineEdit>("EditLive");
        entry->setText(u"\U0001F600A"_s);
        QVERIFY(!f.control<QTimer>("Timer2")->isActive());
        f.form->Timer2Timer();
        QCOMPARE(f.control<QLabel>("STlive")->text(), u"\U0001F600"_s);
        QCOMPARE(entry->text(), u"A"_s);
        f.form->Timer2Timer();
        QCOMPARE(f.control<QLabel>("STlive")->text(), u"A"_s);
        QCOMPARE(f.dialogs.messages.size(), 2);
    }

    void escapeSilencesOnlyAnOpenPlayerAndAWritableEntry()
    {
        FormFixture f;
        f.control<QTimer>("Timer1")->stop();
        auto* entry = f.control<QLineEdit>("EditLive");
        entry->setText(u"SOS"_s);
        QTest::keyClick(entry, Qt::Key_Escape); // no file yet: nothing happens
        QCOMPARE(entry->text(), u"SOS"_s);
        QVERIFY(f.player.calls.empty());

        f.control<QTextEdit>("RichEdit")->setPlainText(u"PARIS"_s);
        f.form->BoutonLectureClick(); // the message makes the entry read-only
        QVERIFY(entry->isReadOnly());
        entry->setText(u"K"_s);
        QTest::keyClick(entry, Qt::Key_Escape);
        QCOMPARE(entry->text(), u"K"_s);
        QCOMPARE(f.player.calls.back(), std::string("play"));

        entry->setReadOnly(false);
        f.control<QLabel>("STlive")->setText(u"E"_s);
        QTest::keyClick(entry, Qt::Key_Escape);
        QCOMPARE(entry->text(), QString());
        QCOMPARE(f.control<QLabel>("STlive")->text(), QString());
        const std::vector<std::string> tail(f.player.calls.end() - 2, f.player.calls.end());
        QCOMPARE(tail, (std::vector<std::string>{"stop", "seek"}));
    }

    void generateAndPlayDropsTheQueueUntilTheMessageHasStopped()
    {
        FormFixture f;
        f.control<QTimer>("Timer1")->stop();
        auto* entry = f.control<QLineEdit>("EditLive");
        entry->setFocus();
        QTest::keyClicks(entry, u"sos"_s);
        f.control<QTextEdit>("RichEdit")->setPlainText(u"PARIS"_s);
        QTest::mouseClick(f.control<QPushButton>("BoutonLecture"), Qt::LeftButton);
        QCOMPARE(entry->text(), QString());
        QVERIFY(entry->isReadOnly());
        f.form->Timer2Timer(); // the dropped queue sends nothing
        QVERIFY(!f.control<QTimer>("Timer2")->isActive());
        QTest::keyClicks(entry, u"k"_s);
        QCOMPARE(entry->text(), QString());
        f.player.currentMode = PlayerMode::Stopped;
        f.form->Timer1Timer();
        QVERIFY(!entry->isReadOnly());
    }
};

QTEST_MAIN(PlaybackTest)
#include "playback_test.moc"
