// End to end: the real window and the real SDL player, with SDL's "disk"
// driver writing what it was given to play into a file; that file must hold
// exactly the samples of the WAV file (the driver is opened at the file's
// own format, so SDL converts nothing).
#include "audio/message_renderer.h"
#include "common/edit_text.h"
#include "drills/drill_plan.h"
#include "morse/default_definitions.h"
#include "morse/definition_parser.h"
#include "player/device_player.h"
#include "player/sdl_audio_device.h"
#include "player/sdl_wave_player.h"
#include "player/wav_reader.h"
#include "sending/sidetone.h"
#include "support/fake_audio_device.h"
#include "support/form_fixture.h"

#include <algorithm>
#include <chrono>
#include <mutex>

using namespace Qt::StringLiterals;
using SdlForm = brivo::test::BasicFormFixture<brivo::SdlWavePlayer>;

namespace {

// The samples from the first non-zero one to the last.
std::vector<std::int16_t> trimmed(const std::vector<std::int16_t>& samples)
{
    const auto nonZero = [](std::int16_t s) { return s != 0; };
    const auto first = std::find_if(samples.begin(), samples.end(), nonZero);
    const auto last = std::find_if(samples.rbegin(), samples.rend(), nonZero).base();
    return first < last ? std::vector<std::int16_t>(first, last) : std::vector<std::int16_t>();
}

// The live render of one character at speed 200, without noise.
std::vector<std::int16_t> renderLive(const std::filesystem::path& path, const std::string& character)
{
    brivo::KeyingParameters parameters;
    parameters.speedPosition = 200;
    brivo::RenderRequest request{path, brivo::keyedTextFromUtf8(character), brivo::RenderForm::Live, parameters};
    brivo::RandomGenerator random(1);
    const auto table = brivo::tableFromContent(brivo::defaultDefinitionContent());
    if (!brivo::renderMorseFile(request, table, random))
        return {};
    return trimmed(brivo::readWav(brivo::test::readBytes(path))->samples);
}

std::int64_t steadyMicros()
{
    return std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// The sidetone as the device pulls it: when each pull began, and whether it
// had sound.
class PullLog : public brivo::PcmSource {
public:
    explicit PullLog(std::shared_ptr<brivo::sending::Sidetone> tone) : tone_(std::move(tone)) {}
    int sampleRate() const override { return tone_->sampleRate(); }
    int channels() const override { return 1; }
    std::uint64_t frames() const override { return tone_->frames(); }
    std::size_t read(std::uint64_t first, std::int16_t* out, std::size_t count) override
    {
        const std::int64_t at = steadyMicros();
        const std::size_t made = tone_->read(first, out, count);
        const std::lock_guard guard(lock_);
        pulls_.emplace_back(at, std::any_of(out, out + made, [](std::int16_t s) { return s != 0; }));
        return made;
    }
    std::vector<std::pair<std::int64_t, bool>> pulls() const
    {
        const std::lock_guard guard(lock_);
        return pulls_;
    }

private:
    std::shared_ptr<brivo::sending::Sidetone> tone_;
    mutable std::mutex lock_;
    std::vector<std::pair<std::int64_t, bool>> pulls_;
};

} // namespace

class SdlDiskPlaybackTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        qputenv("SDL_AUDIODRIVER", "disk");
        qputenv("SDL_DISKAUDIOFILE", QByteArray::fromStdString(playedFile().string()));
    }

    // A noisy message played to its end, then, a second later, two live
    // characters (without noise): the driver's file holds exactly their
    // samples, in that order, and only silence before and after them. The
    // output, opened once, stays open between the plays: it took that
    // second's silence.
    void messageThenLiveCharactersArePlayedExactly()
    {
        std::vector<std::int16_t> message;
        {
            SdlForm f;
            f.control<QSlider>("TBvitesse")->setValue(200);
            f.control<QSlider>("TBsouffle")->setValue(200);
            f.control<QTextEdit>("RichEdit")->setPlainText(u"PARIS"_s);
            QTest::mouseClick(f.control("BoutonLecture"), Qt::LeftButton);
            auto* info = f.control<QLabel>("Info");
            QTRY_VERIFY_WITH_TIMEOUT(info->text().startsWith(u"Lecture"_s), 2000);
            QTRY_VERIFY_WITH_TIMEOUT(info->text().startsWith(u"Arrété"_s), 10000);
            const QString line = info->text();
            const QStringList halves = line.mid(line.indexOf(u':') + 2).chopped(1).split(u" / "_s);
            QCOMPARE(halves.value(0), halves.value(1)); // at the end: position = length
            message = trimmed(brivo::readWav(brivo::test::readBytes(f.dir / "Morse.WAV"))->samples);

            QTest::qWait(1000);
            auto* entry = f.control<QLineEdit>("EditLive");
            entry->setFocus();
            QTest::keyClicks(entry, u"an"_s);
            QTRY_COMPARE_WITH_TIMEOUT(f.control<QLabel>("STlive")->text(), u"N"_s, 5000);
            // N lasts 240 ms; the status line then shows the player stopped.
            QTest::qWait(500);
            QTRY_VERIFY_WITH_TIMEOUT(info->text().startsWith(u"Arrété"_s), 5000);
            QCOMPARE(f.control<QSlider>("TBsouffle")->value(), 200);
            QVERIFY(f.dialogs.messages.isEmpty());
            QCOMPARE(f.player.audioOutput().openCount(), 1);
        } // the player closes its device, which completes the driver's file
        const auto played = playedSamples();
        const auto a = renderLive(out_ / "a.wav", "A");
        const auto n = renderLive(out_ / "n.wav", "N");
        QVERIFY(!message.empty());
        const auto found = std::search(played.begin(), played.end(), message.begin(), message.end());
        QVERIFY2(found != played.end(), "the played samples differ from the file's");
        const auto foundA =
            std::search(found + static_cast<std::ptrdiff_t>(message.size()), played.end(), a.begin(), a.end());
        QVERIFY2(foundA != played.end(), "A was not played as rendered without noise");
        QVERIFY(foundA - (found + static_cast<std::ptrdiff_t>(message.size())) > 11025 * 9 / 10);
        const auto foundN =
            std::search(foundA + static_cast<std::ptrdiff_t>(a.size()), played.end(), n.begin(), n.end());
        QVERIFY2(foundN != played.end(), "N was not played after A");
        QCOMPARE(trimmed(played).size(), static_cast<std::size_t>(foundN - found) + n.size());
    }

    // The sidetone on the real player: a key-down is heard from the first
    // pull after it, none before had sound (nothing is filled ahead), and
    // the tone rises on its ramp rather than with a click.
    void sidetoneIsHeardFromTheNextPull()
    {
        auto tone = std::make_shared<brivo::sending::Sidetone>(11025, 795, 16000, 5, steadyMicros);
        auto log = std::make_shared<PullLog>(tone);
        {
            brivo::SdlWavePlayer player;
            QVERIFY(player.openLive(brivo::sharedSource(log)));
            QVERIFY(player.play());
            QTRY_VERIFY_WITH_TIMEOUT(log->pulls().size() >= 5, 5000);
            const std::int64_t edge = steadyMicros();
            tone->schedule({edge, true, brivo::sending::Contact::Straight});
            QTRY_VERIFY_WITH_TIMEOUT(log->pulls().back().second, 5000);
            // Held 50 ms at least, so that a starved device thread still hears the whole rise.
            tone->schedule({std::max(steadyMicros(), edge + 50'000), false, brivo::sending::Contact::Straight});
            const auto pulls = log->pulls();
            const auto next =
                std::find_if(pulls.begin(), pulls.end(), [edge](const auto& p) { return p.first >= edge; });
            QVERIFY(next != pulls.end() && next->second);
            QVERIFY(std::none_of(pulls.begin(), next, [](const auto& p) { return p.second; }));
            QTRY_VERIFY_WITH_TIMEOUT(!log->pulls().back().second, 5000);
        }
        const auto played = trimmed(playedSamples());
        QVERIFY(played.size() > 100);
        QVERIFY(std::abs(played[1]) < 16000 / 10);
        QVERIFY(*std::max_element(played.begin(), played.end()) > 16000 * 9 / 10);
    }

    // A drilled character on SDL's device with a clock held still: the
    // device's first pull takes one buffer, which it holds as its latency,
    // so frame 0 is heard at the clock's time, and a key 0.9 s later is a
    // reaction of 900 ms less the end of the character's last element.
    void reactionCountsFromTheHeardEndOnTheRealDevice()
    {
        brivo::SdlAudioDevice device;
        brivo::test::FakeClock clock;
        brivo::DevicePlayer player(device, clock);
        const auto table = brivo::tableFromContent(brivo::defaultDefinitionContent());
        const brivo::drills::DrillSound sound{brivo::drills::atSpeed({}, 20), {}};
        brivo::RandomGenerator random(1);
        const auto rendered = brivo::drills::renderItem(U"K", sound, table, random);
        QVERIFY(rendered);
        QVERIFY(player.openSound(rendered->sound));
        QVERIFY(player.play());
        QTRY_VERIFY_WITH_TIMEOUT(player.heardOrigin().has_value(), 5000);
        QCOMPARE(*player.heardOrigin(), clock.seconds);
        const brivo::drills::PlannedItem item = brivo::drills::planItem(U"K", sound, table);
        QCOMPARE(brivo::drills::reactionMs(clock.seconds + 0.9, *player.heardOrigin(), item, 0),
                 900 - item.lastElementEndMs);
        player.close();
    }

private:
    std::filesystem::path playedFile() const { return out_ / "played.raw"; }

    std::vector<std::int16_t> playedSamples() const
    {
        const std::string bytes = brivo::test::readBytes(playedFile());
        std::vector<std::int16_t> samples(bytes.size() / 2);
        std::memcpy(samples.data(), bytes.data(), samples.size() * 2);
        return samples;
    }

    brivo::test::TempDir out_;
};

QTEST_MAIN(SdlDiskPlaybackTest)
#include "sdl_disk_playback_test.moc"
