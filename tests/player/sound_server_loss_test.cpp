// The sound server vanishing in the middle of a play: a PulseAudio server of
// our own, on a private socket with a null sink, is killed while the real
// window plays through it. The window must say so, stay usable, and play
// again once a server is back. Skipped when pulseaudio is not installed.
#include "common/messages.h"
#include "player/sdl_wave_player.h"
#include "support/form_fixture.h"

#include <QDeadlineTimer>

#include <memory>

using namespace Qt::StringLiterals;

// Generous: the machine may be busy with other work.
constexpr int kBound = 30000; // ms

class SoundServerLossTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        if (QStandardPaths::findExecutable(u"pulseaudio"_s).isEmpty())
            QSKIP("pulseaudio n'est pas installé : la perte du serveur de son n'est pas essayée");
        dir_ = std::make_unique<brivo::test::TempDir>();
        // The client never starts a server of its own when ours is gone.
        const auto clientConfig = *dir_ / "client.conf";
        brivo::test::writeBytes(clientConfig, "autospawn = no\n");
        qputenv("PULSE_CLIENTCONFIG", QByteArray::fromStdString(clientConfig.string()));
        qputenv("PULSE_SERVER", "unix:" + QByteArray::fromStdString(socket().string()));
        qputenv("SDL_AUDIODRIVER", "pulseaudio");
        QVERIFY(startServer());
    }

    void cleanupTestCase()
    {
        if (server_ && server_->state() == QProcess::Running) {
            server_->terminate();
            server_->waitForFinished();
        }
    }

    void killedServerLeavesAWorkingWindowThatPlaysAgainOnceItIsBack()
    {
        brivo::test::BasicFormFixture<brivo::SdlWavePlayer> f;
        auto* zone = f.control<QTextEdit>("RichEdit");
        auto* info = f.control<QLabel>("Info");
        zone->setPlainText(u"PARIS PARIS PARIS PARIS PARIS"_s);

        QTest::mouseClick(f.control<QPushButton>("BoutonLecture"), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(heardTenths(info) >= 3, kBound);
        server_->kill();
        server_->waitForFinished();

        const QString lost = QString::fromUtf8(brivo::messages::kAudioLost);
        QTRY_COMPARE_WITH_TIMEOUT(info->text(), lost, kBound);
        QVERIFY(!f.control<QPushButton>("BoutonLire")->isEnabled());
        QVERIFY(!f.control<QPushButton>("BoutonStop")->isEnabled());
        QTest::qWait(300);
        QCOMPARE(info->text(), lost); // it stays until a file is opened again
        zone->setFocus();
        zone->moveCursor(QTextCursor::End);
        QTest::keyClicks(zone, u" CQ"_s);
        QVERIFY(zone->toPlainText().endsWith(u" CQ"_s));

        QVERIFY(startServer());
        QTest::mouseClick(f.control<QPushButton>("BoutonLecture"), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(heardTenths(info) >= 3, kBound);
        QVERIFY2(f.dialogs.messages.isEmpty(), qPrintable(f.dialogs.messages.value(0).text));
    }

private:
    std::filesystem::path socket() const { return *dir_ / "native"; }

    // The position on a "Lecture : 1,3 / 5,2s" line, in tenths; -1 on any
    // other line.
    static int heardTenths(const QLabel* info)
    {
        const QString text = info->text();
        if (!text.startsWith(u"Lecture : "_s))
            return -1;
        const QStringList position = text.mid(10).section(u" / "_s, 0, 0).split(u',');
        return position.value(0).toInt() * 10 + position.value(1).toInt();
    }

    bool startServer()
    {
        const QString folder = QString::fromStdString(dir_->path().string());
        server_ = std::make_unique<QProcess>();
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"PULSE_RUNTIME_PATH"_s, folder);
        environment.insert(u"HOME"_s, folder);
        server_->setProcessEnvironment(environment);
        server_->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        server_->start(u"pulseaudio"_s, {u"-n"_s, u"--daemonize=no"_s, u"--exit-idle-time=-1"_s, u"--use-pid-file=no"_s,
                                         u"-L"_s, u"module-null-sink sink_name=brivo_test"_s, u"-L"_s,
                                         u"module-native-protocol-unix auth-anonymous=1 socket="_s +
                                             QString::fromStdString(socket().string())});
        // The killed server's socket goes first, so that the socket's being
        // there means the new server listens.
        std::error_code ignored;
        std::filesystem::remove(socket(), ignored);
        if (!server_->waitForStarted())
            return false;
        for (const QDeadlineTimer deadline(kBound); !std::filesystem::exists(socket()) && !deadline.hasExpired();)
            QTest::qWait(20);
        return std::filesystem::exists(socket()) && server_->state() == QProcess::Running;
    }

    std::unique_ptr<brivo::test::TempDir> dir_;
    std::unique_ptr<QProcess> server_;
};

QTEST_MAIN(SoundServerLossTest)
#include "sound_server_loss_test.moc"
