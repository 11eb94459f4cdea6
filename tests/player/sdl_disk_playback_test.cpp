// End to end: the real window and the real SDL player, with SDL's "disk"
// driver writing what it was given to play into a file; that file must hold
// exactly the samples of the WAV file (the driver is opened at the file's
// own format, so SDL converts nothing).
#include "app/tform1.h"
#include "audio/message_renderer.h"
#include "common/edit_text.h"
#include "morse/default_definitions.h"
#include "morse/definition_parser.h"
#include "morse/ui/code_grid.h"
#include "player/sdl_wave_player.h"
#include "player/wav_reader.h"
#include "support/recording_dialogs.h"
#include "support/temp_dir.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
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
        dir_ = std::make_unique<brivo::test::TempDir>();
        qputenv("SDL_DISKAUDIOFILE", QByteArray::fromStdString((dir_->path() / "played.raw").string()));
        player_ = std::make_unique<brivo::SdlWavePlayer>();
        form_ = std::make_unique<brivo::ui::TForm1>(dialogs_, *player_, dir_->path(), *dir_ / "BRIVO.reg",
                                                    *dir_ / "historique.sqlite");
        form_->show();
        QTRY_COMPARE(control<brivo::ui::CodeGrid>("StringGridCW")->cellText(66, 2), u".-"_s);
        control<QSlider>("TBvitesse")->setValue(200);
    }

    void cleanup()
    {
        form_.reset();
        player_.reset(); // closes the device, which flushes the driver's file
        dir_.reset();
    }

    void generateAndPlayPlaysExactlyTheFile()
    {
        control<QTextEdit>("RichEdit")->setPlainText(u"PARIS"_s);
        QTest::mouseClick(control("BoutonLecture"), Qt::LeftButton);
        QVERIFY(dialogs_.messages.isEmpty());
        auto* info = control<QLabel>("Info");
        QTRY_VERIFY_WITH_TIMEOUT(info->text().startsWith(u"Lecture"_s), 2000);
        QTRY_VERIFY_WITH_TIMEOUT(info->text().startsWith(u"Arrété"_s), 10000);
        const QString line = info->text();
        const QStringList halves = line.mid(line.indexOf(u':') + 2).chopped(1).split(u" / "_s);
        QCOMPARE(halves.value(0), halves.value(1)); // at the end: position = length

        const auto wav = brivo::readWav(brivo::test::readBytes(dir_->path() / "Morse.WAV"));
        QVERIFY(wav);
        closeWindowAndPlayer();
        const auto played = samplesOf(brivo::test::readBytes(dir_->path() / "played.raw"));
        const auto expected = trimmed(wav->samples);
        QVERIFY(!expected.empty());
        const auto found = std::search(played.begin(), played.end(), expected.begin(), expected.end());
        QVERIFY2(found != played.end(), "the played samples differ from the file's");
        // Only silence around it: nothing else was played.
        QCOMPARE(trimmed(played).size(), expected.size());
    }

    void twoLiveCharactersComeOutInOrderWithoutNoise()
    {
        control<QSlider>("TBsouffle")->setValue(200);
        auto* entry = control<QLineEdit>("EditLive");
        entry->setFocus();
        QTest::keyClicks(entry, u"an"_s);
        QTRY_COMPARE_WITH_TIMEOUT(control<QLabel>("STlive")->text(), u"N"_s, 5000);
        // N lasts 240 ms; the status line then shows the player stopped.
        QTest::qWait(500);
        QTRY_VERIFY_WITH_TIMEOUT(control<QLabel>("Info")->text().startsWith(u"Arrété"_s), 5000);
        QCOMPARE(control<QSlider>("TBsouffle")->value(), 200);
        QVERIFY(dialogs_.messages.isEmpty());
        closeWindowAndPlayer();

        const auto played = samplesOf(brivo::test::readBytes(dir_->path() / "played.raw"));
        const auto a = trimmed(renderLive("A"));
        const auto n = trimmed(renderLive("N"));
        const auto foundA = std::search(played.begin(), played.end(), a.begin(), a.end());
        QVERIFY2(foundA != played.end(), "A was not played as rendered without noise");
        const auto foundN =
            std::search(foundA + static_cast<std::ptrdiff_t>(a.size()), played.end(), n.begin(), n.end());
        QVERIFY2(foundN != played.end(), "N was not played after A");
        QCOMPARE(trimmed(played).size(), static_cast<std::size_t>(foundN - foundA) + n.size());
    }

private:
    template <typename Control = QWidget> Control* control(const char* name)
    {
        return form_->findChild<Control*>(QString::fromLatin1(name));
    }

    // Closes the window and the player so the driver's file is complete.
    void closeWindowAndPlayer()
    {
        form_.reset();
        player_.reset();
    }

    // The live render of one character at speed 200, without noise.
    std::vector<std::int16_t> renderLive(const std::string& character)
    {
        brivo::KeyingParameters parameters;
        parameters.speedPosition = 200;
        const auto path = dir_->path() / "live.wav";
        brivo::RenderRequest request{path, brivo::keyedTextFromUtf8(character), brivo::RenderForm::Live, parameters};
        brivo::RandomGenerator random(1);
        const auto table = brivo::definitions::tableFromContent(brivo::definitions::defaultFileContent());
        if (!brivo::renderMorseFile(request, table, random))
            return {};
        return brivo::readWav(brivo::test::readBytes(path))->samples;
    }

    brivo::test::RecordingDialogs dialogs_;
    std::unique_ptr<brivo::test::TempDir> dir_;
    std::unique_ptr<brivo::SdlWavePlayer> player_;
    std::unique_ptr<brivo::ui::TForm1> form_;
};

QTEST_MAIN(SdlDiskPlaybackTest)
#include "sdl_disk_playback_test.moc"
