// End to end: the real window and the real SDL player, with SDL's "disk"
// driver writing what it was given to play into a file; that file must hold
// exactly the samples of the WAV file (the driver is opened at the file's
// own format, so SDL converts nothing).
#include "app/tform1.h"
#include "audio/ui/sound_controls.h"
#include "common/ui/track_bar.h"
#include "common/ui/upper_case_line_edit.h"
#include "editzone/ui/edit_zone.h"
#include "player/sdl_wave_player.h"
#include "player/ui/playback_row.h"
#include "player/wav_reader.h"
#include "support/recording_dialogs.h"
#include "support/temp_dir.h"

#include <QLabel>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>
#include <QTextEdit>

#include <algorithm>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

std::vector<std::int16_t> samplesOf(const std::string& bytes)
{
    std::vector<std::int16_t> samples(bytes.size() / 2);
    std::memcpy(samples.data(), bytes.data(), samples.size() * 2);
    return samples;
}

// The samples from the first non-zero one to the last.
std::vector<std::int16_t> trimmed(const std::vector<std::int16_t>& samples)
{
    const auto nonZero = [](std::int16_t s) { return s != 0; };
    const auto first = std::find_if(samples.begin(), samples.end(), nonZero);
    const auto last = std::find_if(samples.rbegin(), samples.rend(), nonZero).base();
    return first < last ? std::vector<std::int16_t>(first, last) : std::vector<std::int16_t>();
}

} // namespace

class SdlDiskPlaybackTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        qputenv("SDL_AUDIODRIVER", "disk");
    }

    void init()
    {
        previous_ = std::filesystem::current_path();
        dir_ = std::make_unique<brivo::test::TempDir>();
        std::filesystem::current_path(dir_->path());
        qputenv("SDL_DISKAUDIOFILE", QByteArray::fromStdString((dir_->path() / "played.raw").string()));
        player_ = std::make_unique<brivo::SdlWavePlayer>();
        form_ = std::make_unique<brivo::ui::TForm1>(dialogs_, *player_);
        form_->show();
        QTRY_COMPARE(form_->StringGridCW != nullptr && form_->morseTable.definedCount() == 132, true);
    }

    void cleanup()
    {
        form_.reset();
        player_.reset(); // closes the device, which flushes the driver's file
        std::filesystem::current_path(previous_);
        dir_.reset();
    }

    void generateAndPlayPlaysExactlyTheFile()
    {
        form_->sound->TBvitesse->setPosition(200);
        form_->editZone->RichEdit->setPlainText(u"PARIS"_s);
        QTest::mouseClick(form_->playback->BoutonLecture, Qt::LeftButton);
        QVERIFY(dialogs_.messages.isEmpty());
        QTRY_VERIFY_WITH_TIMEOUT(form_->playback->Info->text().startsWith(u"Lecture"_s), 2000);
        QTRY_VERIFY_WITH_TIMEOUT(form_->playback->Info->text().startsWith(u"Arrété"_s), 10000);
        const QString line = form_->playback->Info->text();
        const QStringList halves = line.mid(line.indexOf(u':') + 2).chopped(1).split(u" / "_s);
        QCOMPARE(halves.value(0), halves.value(1)); // at the end: position = length

        const auto wav = brivo::readWav(brivo::test::readBytes(dir_->path() / "Morse.WAV"));
        QVERIFY(wav.ok);
        cleanup_();
        const auto played = samplesOf(brivo::test::readBytes(dir_->path() / "played.raw"));
        const auto expected = trimmed(wav.sound.samples);
        QVERIFY(!expected.empty());
        const auto found = std::search(played.begin(), played.end(), expected.begin(), expected.end());
        QVERIFY2(found != played.end(), "the played samples differ from the file's");
        // Only silence around it: nothing else was played.
        QCOMPARE(trimmed(played).size(), expected.size());
    }

    void twoLiveCharactersComeOutInOrderWithoutNoise()
    {
        form_->sound->TBsouffle->setPosition(200);
        form_->sound->TBvitesse->setPosition(200);
        auto* entry = form_->playback->EditLive;
        entry->setFocus();
        QTest::keyClicks(entry, u"an"_s);
        QTRY_COMPARE_WITH_TIMEOUT(form_->playback->STlive->text(), u"N"_s, 5000);
        QVERIFY(form_->LiveBusy); // N sounds until the status timer sees it stopped
        QTRY_VERIFY_WITH_TIMEOUT(!form_->LiveBusy, 5000);
        QCOMPARE(form_->sound->TBsouffle->value(), 200);
        QVERIFY(dialogs_.messages.isEmpty());
        cleanup_();

        const auto played = samplesOf(brivo::test::readBytes(dir_->path() / "played.raw"));
        const auto a = trimmed(renderLive(u"A"_s));
        const auto n = trimmed(renderLive(u"N"_s));
        const auto foundA = std::search(played.begin(), played.end(), a.begin(), a.end());
        QVERIFY2(foundA != played.end(), "A was not played as rendered without noise");
        const auto foundN =
            std::search(foundA + static_cast<std::ptrdiff_t>(a.size()), played.end(), n.begin(), n.end());
        QVERIFY2(foundN != played.end(), "N was not played after A");
        QCOMPARE(trimmed(played).size(), static_cast<std::size_t>(foundN - foundA) + n.size());
    }

private:
    // Closes the window and the player so the driver's file is complete.
    void cleanup_()
    {
        form_.reset();
        player_.reset();
    }

    // The live render of one character at the window's settings, noise 0.
    std::vector<std::int16_t> renderLive(const QString& character)
    {
        brivo::test::RecordingDialogs dialogs;
        brivo::test::TempDir scratch;
        const auto here = std::filesystem::current_path();
        std::filesystem::current_path(scratch.path());
        struct NoPlayer : brivo::WavePlayer {
            void open(const std::filesystem::path&) override {}
            void close() override {}
            bool play() override { return true; }
            bool stop() override { return true; }
            bool seekToStart() override { return true; }
            bool pauseOrResume() override { return true; }
            brivo::PlayerMode mode() override { return brivo::PlayerMode::Stopped; }
            std::uint32_t positionMs() override { return 0; }
            std::uint32_t lengthMs() override { return 0; }
        } player;
        std::vector<std::int16_t> samples;
        {
            brivo::ui::TForm1 form(dialogs, player);
            form.FormShow();
            form.sound->TBvitesse->setPosition(200);
            form.playback->STlive->setText(character);
            form.BoutonGeneFicClick(form.playback->EditLive);
            samples = brivo::readWav(brivo::test::readBytes(scratch / "Morse.WAV")).sound.samples;
        }
        std::filesystem::current_path(here);
        return samples;
    }

    brivo::test::RecordingDialogs dialogs_;
    std::unique_ptr<brivo::test::TempDir> dir_;
    std::unique_ptr<brivo::SdlWavePlayer> player_;
    std::unique_ptr<brivo::ui::TForm1> form_;
    std::filesystem::path previous_;
};

QTEST_MAIN(SdlDiskPlaybackTest)
#include "sdl_disk_playback_test.moc"
