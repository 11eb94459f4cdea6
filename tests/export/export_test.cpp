// Export: each format decoded again with libsndfile against the WAV render
// of the same text, tags read back with TagLib, tracks cut in silences.
#include "common/edit_text.h"
#include "common/messages.h"
#include "export/lesson_export.h"
#include "player/wav_reader.h"
#include "support/built_in_table.h"
#include "support/case_name.h"
#include "support/file_size_limit.h"
#include "support/temp_dir.h"

#include <algorithm>
#include <cmath>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sndfile.h>
#include <sstream>
#include <taglib/fileref.h>
#include <taglib/tpropertymap.h>
#include <unistd.h>

namespace brivo::exporting {
namespace {

using test::builtInTable;
const auto& table = builtInTable;

// The fixed test text: three lines, so that a split by lines gives three
// tracks; at 20 words per minute, 795 Hz.
constexpr std::string_view kText = "CQ CQ DE F5ABC K\nTEST 73 TU\nOM DE DL1XY";

ExportRequest requestFor(const std::filesystem::path& target, ExportFormat format, int rate, int quality = 5)
{
    ExportRequest request;
    request.quality = quality;
    request.render.text = keyedTextFromUtf8(kText);
    request.render.parameters.speedPosition = 120;
    request.render.parameters.sampleRateIndex = std::nullopt;
    request.render.previousSampleRate = rate;
    request.target = target;
    request.format = format;
    return request;
}

std::vector<std::int16_t> decode(const std::filesystem::path& path, int* rate = nullptr)
{
    SF_INFO info{};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    if (file == nullptr)
        return {};
    std::vector<std::int16_t> samples(static_cast<std::size_t>(info.frames));
    samples.resize(static_cast<std::size_t>(sf_read_short(file, samples.data(), info.frames)));
    sf_close(file);
    if (rate != nullptr)
        *rate = info.samplerate;
    return samples;
}

std::vector<std::int16_t> wavRender(const std::filesystem::path& dir, int rate)
{
    RandomGenerator random(1);
    EXPECT_TRUE(exportLesson(requestFor(dir / "reference.wav", ExportFormat::Wav, rate), table(), random));
    return readWav(test::readBytes(dir / "reference.wav"))->samples;
}

// The times (s) where the envelope (the peak over one tone period) rises
// through half the signal's peak.
std::vector<double> risingEdges(const std::vector<std::int16_t>& samples, int rate)
{
    const auto period = static_cast<std::size_t>(rate / 795 + 2);
    int peak = 0;
    for (const std::int16_t s : samples)
        peak = std::max(peak, std::abs(static_cast<int>(s)));
    std::vector<double> edges;
    bool on = false;
    for (std::size_t i = 0; i + period < samples.size(); ++i) {
        int envelope = 0;
        for (std::size_t j = i; j < i + period; ++j)
            envelope = std::max(envelope, std::abs(static_cast<int>(samples[j])));
        if (!on && envelope > peak / 2)
            edges.push_back(static_cast<double>(i + period) / rate);
        on = envelope > peak / 2 ? true : envelope < peak / 4 ? false : on;
    }
    return edges;
}

// The tone of the key-down after `edge`, from its first and last upward
// zero crossings, interpolated.
double toneAfter(const std::vector<std::int16_t>& samples, int rate, double edge)
{
    const auto begin = static_cast<std::size_t>((edge + 0.01) * rate);
    const auto end = begin + static_cast<std::size_t>(0.03 * rate); // inside the shortest mark
    double first = -1;
    double last = -1;
    int crossings = 0;
    for (std::size_t i = begin; i < end; ++i) {
        if (samples[i] < 0 && samples[i + 1] >= 0) {
            const double at = static_cast<double>(i) + samples[i] / static_cast<double>(samples[i] - samples[i + 1]);
            first = first < 0 ? at : first;
            last = at;
            ++crossings;
        }
    }
    return (crossings - 1) * rate / (last - first);
}

struct FormatCase {
    std::string name;
    ExportFormat format;
    int rate;
    std::size_t lengthSlack; // samples the decoder may add or drop
    int quality = 5;
    double highestKbps = 0; // the encoded bit rate's bound, when set
};

class ExportRoundTrip : public testing::TestWithParam<FormatCase> {};

// Decoded again: the length within a codec frame of the WAV render (exact
// for MP3 at a variable rate and FLAC), the tone within 2 Hz, every keying
// edge within 3 ms of the WAV's; FLAC is the WAV bit for bit.
TEST_P(ExportRoundTrip, DecodesToTheRenderWithinTheCodecsTolerance)
{
    const FormatCase& row = GetParam();
    test::TempDir dir;
    const std::vector<std::int16_t> reference = wavRender(dir.path(), row.rate);
    const std::filesystem::path target = dir / ("lesson" + std::string(formatExtension(row.format)));
    RandomGenerator random(1);
    const Result<ExportedLesson> exported =
        exportLesson(requestFor(target, row.format, row.rate, row.quality), table(), random);
    ASSERT_TRUE(exported) << exported.error().message;
    int rate = 0;
    const std::vector<std::int16_t> decoded = decode(target, &rate);
    EXPECT_EQ(rate, row.rate);
    if (row.highestKbps > 0) {
        const auto bits = static_cast<double>(std::filesystem::file_size(target)) * 8;
        EXPECT_LT(bits / (static_cast<double>(decoded.size()) / rate) / 1000, row.highestKbps);
    }
    EXPECT_LE(std::max(decoded.size(), reference.size()) - std::min(decoded.size(), reference.size()), row.lengthSlack);
    if (row.format == ExportFormat::Flac) {
        EXPECT_EQ(decoded, reference);
    }
    const std::vector<double> expected = risingEdges(reference, row.rate);
    const std::vector<double> edges = risingEdges(decoded, row.rate);
    ASSERT_EQ(edges.size(), expected.size());
    for (std::size_t i = 0; i < edges.size(); ++i)
        EXPECT_NEAR(edges[i], expected[i], 0.003) << "edge " << i;
    EXPECT_NEAR(toneAfter(decoded, row.rate, edges[3]), 795.0, 2.0);

    // The disk filling up halfway through the sound, or at its tags: the
    // encoder's failed writes are reported, in French, naming the target.
    const Tags tags{"Leçon", "F5ABC", "", "", 1, 3};
    const auto encodeUnder = [&](rlim_t limit) {
        const int fd = open((dir / "cut").c_str(), O_RDWR | O_CREAT | O_TRUNC, 0600);
        const test::FileSizeLimit full(limit);
        const Result<void> cut = encodeTrack(fd, target, decoded, row.rate, row.format, 5, tags);
        close(fd);
        return cut;
    };
    ASSERT_TRUE(encodeUnder(RLIM_INFINITY));
    const auto whole = static_cast<rlim_t>(std::filesystem::file_size(dir / "cut"));
    for (const rlim_t limit : {whole / 2, whole - 1}) {
        const Result<void> cut = encodeUnder(limit);
        ASSERT_FALSE(cut) << "limit " << limit << " of " << whole;
        EXPECT_EQ(cut.error().message, "Impossible d'écrire « " + target.string() + " » : Fichier trop grand");
    }
}

INSTANTIATE_TEST_SUITE_P(, ExportRoundTrip,
                         testing::Values(FormatCase{"flac", ExportFormat::Flac, 11025, 0},
                                         FormatCase{"mp3", ExportFormat::Mp3, 11025, 0},
                                         FormatCase{"mp3At44100", ExportFormat::Mp3, 44100, 0},
                                         FormatCase{"vorbis", ExportFormat::Vorbis, 22050, 2048},
                                         FormatCase{"mp3At8000", ExportFormat::Mp3, 8000, 0},
                                         FormatCase{"opus", ExportFormat::Opus, 48000, 960, 5, 40},
                                         FormatCase{"opusAtItsLowest", ExportFormat::Opus, 48000, 960, 0, 24}),
                         test::CaseName());

// At the loudest settings, a lossy file decodes without going past full
// scale.
TEST(ExportHeadroom, LoudestLessonDecodesUnderFullScale)
{
    test::TempDir dir;
    ExportRequest request = requestFor(dir / "fort.mp3", ExportFormat::Mp3, 44100);
    request.render.parameters.signalPosition = 200;
    request.render.parameters.noisePosition = 140;
    RandomGenerator random(1);
    ASSERT_TRUE(exportLesson(request, table(), random));
    SF_INFO info{};
    SNDFILE* file = sf_open((dir / "fort.mp3").c_str(), SFM_READ, &info);
    ASSERT_NE(file, nullptr);
    std::vector<float> decoded(static_cast<std::size_t>(info.frames));
    sf_read_float(file, decoded.data(), info.frames);
    sf_close(file);
    float peak = 0;
    for (const float s : decoded)
        peak = std::max(peak, std::abs(s));
    EXPECT_GT(peak, 0.7F);
    EXPECT_LE(peak, 1.0F);
}

TEST(ExportTrackNames, SortWhateverTheCount)
{
    EXPECT_EQ(trackPaths("l.mp3", 99)[8], "l-09.mp3");
    EXPECT_EQ(trackPaths("l.mp3", 100)[8], "l-009.mp3");
    EXPECT_EQ(trackPaths("l.mp3", 1000)[999], "l-1000.mp3");
}

// A text too long for the render is refused with its reason, with and
// without reception conditions (the export dialog shows it in a box), and
// nothing is written.
TEST(ExportRefusal, TooLongSaysWhy)
{
    test::TempDir dir;
    for (const bool withNoise : {false, true}) {
        ExportRequest request = requestFor(dir / "long.mp3", ExportFormat::Mp3, 11025);
        request.render.parameters.spacingFactor = 3000000;
        request.conditions.snrDb = withNoise ? std::optional<double>(10) : std::nullopt;
        RandomGenerator random(1);
        const Result<ExportedLesson> refused = exportLesson(request, table(), random);
        ASSERT_FALSE(refused);
        EXPECT_EQ(refused.error().message, messages::kTooLong) << "with noise: " << withNoise;
    }
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

// Tags come back through TagLib in UTF-8 in every format, with the track
// number and count of a split.
TEST(ExportTags, ReadBackWithTheirNonAsciiLettersAndTrackNumbers)
{
    for (const ExportFormat format : {ExportFormat::Mp3, ExportFormat::Flac, ExportFormat::Vorbis}) {
        test::TempDir dir;
        ExportRequest request = requestFor(dir / ("Übung" + std::string(formatExtension(format))), format, 11025);
        request.tags = {"Übung Ωmega", "F5ABC", "Cours Koch", "20 mots/mn, 795 Hz", 0, 0};
        request.split = {SplitSpec::Mode::Lines, 0};
        RandomGenerator random(1);
        const Result<ExportedLesson> exported = exportLesson(request, table(), random);
        ASSERT_TRUE(exported) << exported.error().message;
        ASSERT_EQ(exported->tracks.size(), 3U);
        const TagLib::FileRef file(exported->tracks[1].c_str());
        ASSERT_FALSE(file.isNull());
        const TagLib::PropertyMap tags = file.file()->properties();
        EXPECT_EQ(tags["TITLE"].toString().to8Bit(true), "Übung Ωmega 02") << formatLabel(format);
        EXPECT_EQ(tags["ALBUM"].toString().to8Bit(true), "Cours Koch");
        EXPECT_EQ(file.tag()->track(), 2U);
        const std::string number = tags["TRACKNUMBER"].toString().to8Bit(true);
        EXPECT_TRUE(number == "2/3" || (number == "2" && tags["TRACKTOTAL"].toString() == "3")) << number;
    }
}

struct SplitCase {
    std::string name;
    ExportFormat format;
    SplitSpec split;
    std::size_t tracks;
    std::string stem = "lesson";
};

class ExportSplit : public testing::TestWithParam<SplitCase> {};

// The tracks: their number, each cut in a silence of the render, and, for
// the lossless formats, end to end the whole render; a playlist beside.
TEST_P(ExportSplit, CutsInSilencesAndAddsUpToTheRender)
{
    const SplitCase& row = GetParam();
    test::TempDir dir;
    const mode_t umaskBefore = umask(022);
    const std::vector<std::int16_t> reference = wavRender(dir.path(), 11025);
    const std::string extension(formatExtension(row.format));
    ExportRequest request = requestFor(dir / (row.stem + extension), row.format, 11025);
    request.split = row.split;
    RandomGenerator random(1);
    const Result<ExportedLesson> exported = exportLesson(request, table(), random);
    ASSERT_TRUE(exported) << exported.error().message;
    ASSERT_EQ(exported->tracks.size(), row.tracks);
    EXPECT_EQ(exported->tracks[0].filename().string(), row.stem + "-01" + extension);
    // One header line, then a comment line and a track line per track.
    const std::string playlist = test::readBytes(dir / (row.stem + ".m3u8"));
    std::istringstream lines(playlist);
    std::string line;
    for (std::size_t i = 0; std::getline(lines, line); ++i)
        EXPECT_EQ(line.starts_with('#'), i == 0 || i % 2 == 1) << "line " << i << ": " << line;
    EXPECT_EQ(std::count(playlist.begin(), playlist.end(), '\n'), 1 + 2 * static_cast<long>(row.tracks));
    std::vector<std::int16_t> joined;
    for (const std::filesystem::path& track : exported->tracks) {
        EXPECT_NE(playlist.find(track.filename().string()), std::string::npos);
        // Made under the user's umask, not the temporary file's 0600.
        EXPECT_NE(std::filesystem::status(track).permissions() & std::filesystem::perms::others_read,
                  std::filesystem::perms::none);
        if (!joined.empty()) {
            // The cut is in the middle of its silence, 20 ms of it at least
            // on each side.
            const std::size_t cut = joined.size();
            std::size_t before = 0;
            std::size_t after = 0;
            while (reference[cut - before - 1] == 0)
                ++before;
            while (reference[cut + after] == 0)
                ++after;
            EXPECT_GE(std::min(before, after), 220U) << "cut at " << cut;
            EXPECT_LE(std::max(before, after) - std::min(before, after), 40U) << "cut at " << cut;
        }
        const std::vector<std::int16_t> part =
            row.format == ExportFormat::Wav ? readWav(test::readBytes(track))->samples : decode(track);
        joined.insert(joined.end(), part.begin(), part.end());
    }
    EXPECT_EQ(joined, reference);
    umask(umaskBefore);
}

INSTANTIATE_TEST_SUITE_P(
    , ExportSplit,
    testing::Values(SplitCase{"flacByLines", ExportFormat::Flac, {SplitSpec::Mode::Lines, 0}, 3},
                    SplitCase{"wavByLines", ExportFormat::Wav, {SplitSpec::Mode::Lines, 0}, 3},
                    SplitCase{"flacEveryFiveSeconds", ExportFormat::Flac, {SplitSpec::Mode::Minutes, 5.0 / 60}, 4},
                    // Its track lines must not read as comments.
                    SplitCase{"nameStartingWithHash", ExportFormat::Wav, {SplitSpec::Mode::Lines, 0}, 3, "#lesson"}),
    test::CaseName());

// Spoken answers with a split: each track keeps the answers of its own
// words, and the tracks end to end are the whole answered render.
TEST(ExportAnswers, StayWithTheirTrack)
{
    test::TempDir dir;
    ExportRequest whole = requestFor(dir / "whole.wav", ExportFormat::Wav, 11025);
    whole.spokenAnswers = speech::AnswerOptions{1.0};
    RandomGenerator random(1);
    ASSERT_TRUE(exportLesson(whole, table(), random));
    ExportRequest split = requestFor(dir / "lesson.flac", ExportFormat::Flac, 11025);
    split.spokenAnswers = speech::AnswerOptions{1.0};
    split.split = {SplitSpec::Mode::Lines, 0};
    RandomGenerator again(1);
    std::vector<double> shown;
    const Result<ExportedLesson> exported =
        exportLesson(split, table(), again, [&shown](double done) { shown.push_back(done); });
    ASSERT_TRUE(exported) << exported.error().message;
    ASSERT_EQ(exported->tracks.size(), 3U);
    // The bar moves on while the answers are said, and never back.
    EXPECT_TRUE(std::is_sorted(shown.begin(), shown.end()));
    EXPECT_TRUE(std::any_of(shown.begin(), shown.end(), [](double d) { return d > 0.35 && d < 0.5; }));
    std::vector<std::int16_t> joined;
    for (const std::filesystem::path& track : exported->tracks) {
        const std::vector<std::int16_t> part = decode(track);
        // Each track ends with its last word's answer: the voice, then
        // half a second of silence.
        EXPECT_TRUE(std::any_of(part.end() - 11025, part.end() - 5600, [](std::int16_t s) { return s != 0; }));
        joined.insert(joined.end(), part.begin(), part.end());
    }
    const std::vector<std::int16_t> expected = readWav(test::readBytes(dir / "whole.wav"))->samples;
    ASSERT_EQ(joined.size(), expected.size());
    EXPECT_EQ(std::mismatch(joined.begin(), joined.end(), expected.begin()).first - joined.begin(),
              static_cast<std::ptrdiff_t>(joined.size()));
}

} // namespace
} // namespace brivo::exporting
