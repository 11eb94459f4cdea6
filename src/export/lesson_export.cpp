#include "export/lesson_export.h"

#include "common/atomic_file.h"
#include "common/file_io.h"
#include "common/messages.h"
#include "common/number_text.h"
#include "common/utf8.h"
#include "player/wav_reader.h"
#include "reception/reception_renderer.h"
#include "speech/answer_file.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace brivo::exporting {
namespace {

Result<void> refused(const std::string& message)
{
    return fail(ErrorCode::Refused, message);
}

// A file name beside `target` that no other file has, created empty:
// ".NAME.XXXXXX".
Result<std::filesystem::path> temporaryBeside(const std::filesystem::path& target)
{
    if (isSpecialFile(target))
        return fail(ErrorCode::CreateFailed, "« " + target.string() + " » : " + std::string(messages::kNotAFile));
    std::string pattern = hiddenPatternBeside(target);
    const int fd = mkstemp(pattern.data());
    if (fd < 0)
        return fail(ErrorCode::CreateFailed, "Impossible de créer un fichier dans le dossier de « " + target.string() +
                                                 " » : " + systemErrorText(errno));
    close(fd);
    return std::filesystem::path(pattern);
}

// Temporary files removed when the export does not finish.
class Leftovers {
public:
    Leftovers() = default;
    Leftovers(const Leftovers&) = delete;
    Leftovers& operator=(const Leftovers&) = delete;
    ~Leftovers()
    {
        std::error_code ignored;
        for (const std::filesystem::path& path : paths_)
            std::filesystem::remove(path, ignored);
    }
    void add(const std::filesystem::path& path) { paths_.push_back(path); }
    void keep() { paths_.clear(); }

private:
    std::vector<std::filesystem::path> paths_;
};

// A track's number with as many digits as the count has (two at least), so
// that the names sort in order.
std::string trackNumber(std::size_t number, std::size_t count)
{
    std::string text = std::to_string(number);
    const std::size_t width = std::max<std::size_t>(2, std::to_string(count).size());
    return std::string(width > text.size() ? width - text.size() : 0, '0') + text;
}

bool hasControlCharacter(std::string_view text)
{
    return std::any_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == '\x7F'; });
}

// Tags and names end up on the playlist's lines: a line break in one would
// break it.
Result<void> checkNamesAndTags(const std::filesystem::path& target, const Tags& tags)
{
    if (hasControlCharacter(target.filename().string()))
        return refused("le nom du fichier contient un caractère de contrôle (saut de ligne, tabulation...).");
    for (const std::string* tag : {&tags.title, &tags.artist, &tags.album, &tags.comment}) {
        if (!utf8::isValid(*tag))
            return refused("une étiquette n'est pas du texte UTF-8 valide.");
        if (hasControlCharacter(*tag))
            return refused("une étiquette contient un caractère de contrôle (saut de ligne, tabulation...).");
    }
    return {};
}

// A track's line of the playlist: a name starting with "#" would read as a
// comment.
std::string playlistEntry(const std::filesystem::path& track)
{
    const std::string name = track.filename().string();
    return name.starts_with('#') ? "./" + name : name;
}

std::string playlistText(const std::vector<std::filesystem::path>& tracks, const std::vector<std::uint64_t>& starts,
                         std::uint64_t total, int sampleRate, const std::string& title)
{
    std::string text = "#EXTM3U\n";
    for (std::size_t i = 0; i < tracks.size(); ++i) {
        const std::uint64_t end = i + 1 < starts.size() ? starts[i + 1] : total;
        const auto seconds = static_cast<long long>(std::llround(static_cast<double>(end - starts[i]) / sampleRate));
        text += "#EXTINF:" + std::to_string(seconds) + "," + title + " " + trackNumber(i + 1, tracks.size()) + "\n";
        text.append(playlistEntry(tracks[i])).append("\n");
    }
    return text;
}

// The number of a track name NAME-NN.ext of `target`'s name; 0 for another
// name.
unsigned long trackNumberOf(const std::filesystem::path& file, const std::filesystem::path& target)
{
    const std::string name = file.filename().string();
    const std::string prefix = target.stem().string() + "-";
    const std::string extension = target.extension().string();
    if (name.size() <= prefix.size() + extension.size() || !name.starts_with(prefix) || !name.ends_with(extension))
        return 0;
    const std::string digits = name.substr(prefix.size(), name.size() - prefix.size() - extension.size());
    if (digits.size() < 2 || !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return 0;
    return std::stoul(digits);
}

// Every track name of `target` in its folder, NAME-01.ext and on.
std::vector<std::filesystem::path> trackFilesOf(const std::filesystem::path& target)
{
    std::vector<std::filesystem::path> found;
    std::error_code error;
    const std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : ".";
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        if (trackNumberOf(it->path(), target) > 0)
            found.push_back(it->path());
    }
    return found;
}

std::filesystem::path playlistPath(const std::filesystem::path& target)
{
    return target.parent_path() / (target.stem().string() + ".m3u8");
}

} // namespace

std::vector<std::filesystem::path> filesReplaced(const std::filesystem::path& target, bool split)
{
    std::error_code error;
    if (!split)
        return std::filesystem::exists(target, error) ? std::vector{target} : std::vector<std::filesystem::path>{};
    std::vector<std::filesystem::path> found = trackFilesOf(target);
    if (std::filesystem::exists(playlistPath(target), error))
        found.push_back(playlistPath(target));
    std::sort(found.begin(), found.end());
    return found;
}

std::string defaultComment(const KeyingParameters& parameters, int sampleRate,
                           const reception::ReceptionConditions& conditions)
{
    const KeyingValues values = deriveKeyingValues(parameters, sampleRate);
    std::string comment =
        decimalText(std::round(reception::characterWpm(values.unitDuration, values.unitsPerWord) * 10) / 10) +
        " mots/mn, " + std::to_string(sound::toneHz(parameters.tonePosition)) + " Hz";
    if (conditions.effectiveWpm)
        comment += " (effective " + decimalText(*conditions.effectiveWpm) + " mots/mn)";
    if (conditions.snrDb)
        comment += ", SNR " + decimalText(*conditions.snrDb) + " dB";
    return comment;
}

void leaveHeadroom(std::vector<std::int16_t>& samples)
{
    constexpr double kMostPeak = 32767 * 0.8912509; // 1 dB under full scale
    int peak = 0;
    for (const std::int16_t s : samples)
        peak = std::max(peak, std::abs(static_cast<int>(s)));
    if (peak <= kMostPeak)
        return;
    const double gain = kMostPeak / peak;
    for (std::int16_t& s : samples)
        s = static_cast<std::int16_t>(std::lround(s * gain));
}

std::vector<std::filesystem::path> trackPaths(const std::filesystem::path& target, std::size_t count)
{
    if (count <= 1)
        return {target};
    std::vector<std::filesystem::path> paths;
    for (std::size_t i = 1; i <= count; ++i)
        paths.push_back(target.parent_path() /
                        (target.stem().string() + "-" + trackNumber(i, count) + target.extension().string()));
    return paths;
}

Result<ExportedLesson> exportLesson(const ExportRequest& request, const MorseTable& table, RandomGenerator& random,
                                    const ExportProgress& progress, const std::atomic<bool>* cancel)
{
    const int sampleRate = renderSampleRate(request.render);
    if (const std::optional<std::string> unavailable = formatUnavailable(request.format, sampleRate))
        return fail(ErrorCode::Refused, *unavailable);
    if (const Result<void> tags = checkNamesAndTags(request.target, request.tags); !tags)
        return tags.error();

    const auto report = [&progress](double done) {
        if (progress)
            progress(std::clamp(done, 0.0, 1.0));
    };
    const auto isCancelled = [cancel] { return cancel != nullptr && cancel->load(); };

    // The render: the plain WAV file, into a temporary file beside the
    // target (the target itself for an unsplit WAV, as brivo-render writes).
    const bool direct = request.format == ExportFormat::Wav && request.split.mode == SplitSpec::Mode::None;
    Leftovers leftovers;
    RenderRequest render = request.render;
    if (direct) {
        render.path = request.target;
    } else {
        const Result<std::filesystem::path> temporary = temporaryBeside(request.target);
        if (!temporary)
            return temporary.error();
        leftovers.add(*temporary);
        render.path = *temporary;
    }
    // The shares of the bar: the render, the spoken answers, the encoding.
    const bool answers = request.spokenAnswerPause.has_value();
    const double renderShare = answers ? (direct ? 0.6 : 0.3) : (direct ? 1.0 : 0.4);
    const double answerShare = answers ? (direct ? 0.4 : 0.2) : 0.0;
    const Result<RenderedFile> rendered = reception::renderWithConditions(
        render, table, request.conditions, random, [&](std::uint64_t done, std::uint64_t total) {
            report(renderShare * static_cast<double>(done) / static_cast<double>(std::max<std::uint64_t>(total, 1)));
        });
    if (!rendered)
        return rendered.error();
    // The tracks are cut in the render's silences; the spoken answers, put
    // in afterwards, move the cuts on and stay with the word before them.
    Result<std::vector<std::uint64_t>> starts =
        trackStarts(render.text, table, reception::renderedMarks(render, table, request.conditions), sampleRate,
                    rendered->sampleCount, request.split);
    if (!starts)
        return starts.error();
    if (request.spokenAnswerPause) {
        const auto answered = speech::addSpokenAnswers(
            render, table, request.conditions, *request.spokenAnswerPause, {},
            [&](double done) { report(renderShare + answerShare * done); }, request.answered);
        if (!answered)
            return answered.error();
        for (std::uint64_t& start : *starts)
            start = start == 0 ? 0 : speech::afterAnswers(start, *answered);
    }
    if (direct && !request.spokenAnswerPause)
        return ExportedLesson{{request.target}, std::nullopt, rendered->sampleCount, rendered->sampleRate};
    if (isCancelled())
        return fail(ErrorCode::Cancelled, "Exportation annulée.");

    const Result<std::string> bytes = readFileBytes(render.path, std::uintmax_t{1} << 33U);
    if (!bytes)
        return bytes.error();
    Result<PcmSound> sound = readWav(*bytes);
    if (!sound)
        return sound.error();
    std::vector<std::int16_t>& samples = sound->samples;
    if (!isLossless(request.format))
        leaveHeadroom(samples);

    const std::vector<std::filesystem::path> paths = trackPaths(request.target, starts->size());

    // Every track into a file beside its name, on all cores, each renamed
    // over it only once all are whole.
    std::vector<ReplacementFile> files;
    files.reserve(paths.size());
    for (const std::filesystem::path& path : paths) {
        Result<ReplacementFile> file = ReplacementFile::create(path);
        if (!file)
            return fail(file.error().code, "Impossible de créer « " + path.string() + " » : " + file.error().message);
        files.push_back(std::move(*file));
    }
    std::vector<std::optional<Error>> errors(paths.size());
    std::atomic<std::size_t> next{0};
    std::atomic<std::uint64_t> encoded{0};
    std::mutex reporting;
    const auto work = [&] {
        for (std::size_t i = next++; i < paths.size(); i = next++) {
            const std::uint64_t begin = (*starts)[i];
            const std::uint64_t end = i + 1 < starts->size() ? (*starts)[i + 1] : samples.size();
            std::uint64_t counted = 0;
            const auto written = [&](std::uint64_t done) {
                const std::lock_guard lock(reporting); // the bar never moves back
                const std::uint64_t total = encoded += done - counted;
                counted = done;
                const double encodedShare = 1 - renderShare - answerShare;
                report(renderShare + answerShare +
                       encodedShare * static_cast<double>(total) /
                           static_cast<double>(std::max<std::size_t>(samples.size(), 1)));
            };
            Tags tags = request.tags;
            if (paths.size() > 1) {
                tags.track = static_cast<int>(i + 1);
                tags.trackCount = static_cast<int>(paths.size());
                tags.title = (tags.title.empty() ? request.target.stem().string() : tags.title) + " " +
                             trackNumber(i + 1, paths.size());
            }
            const Result<void> done =
                encodeTrack(files[i].descriptor(), paths[i], std::span(samples).subspan(begin, end - begin), sampleRate,
                            request.format, request.quality, tags, cancel, written);
            if (!done)
                errors[i] = done.error();
        }
    };
    const std::size_t threads =
        std::clamp<std::size_t>(std::thread::hardware_concurrency(), 1, std::max<std::size_t>(paths.size(), 1));
    std::vector<std::jthread> workers;
    for (std::size_t t = 1; t < threads; ++t)
        workers.emplace_back(work);
    work();
    workers.clear();
    for (const std::optional<Error>& error : errors) {
        if (error)
            return *error;
    }
    if (isCancelled())
        return fail(ErrorCode::Cancelled, "Exportation annulée.");

    ExportedLesson lesson{paths, std::nullopt, samples.size(), sampleRate};
    if (paths.size() > 1) {
        const std::filesystem::path playlist =
            request.target.parent_path() / (request.target.stem().string() + ".m3u8");
        const std::string title = request.tags.title.empty() ? request.target.stem().string() : request.tags.title;
        if (const Result<void> written =
                writeFileAtomically(playlist, playlistText(paths, *starts, samples.size(), sampleRate, title));
            !written)
            return written.error();
        lesson.playlist = playlist;
    }
    for (std::size_t i = 0; i < paths.size(); ++i) {
        if (const Result<void> committed = files[i].commit(true); !committed)
            return fail(ErrorCode::WriteFailed,
                        "Impossible d'écrire « " + paths[i].string() + " » : " + committed.error().message);
    }
    // The tracks of an earlier, longer split of the same name would read as
    // part of this one.
    if (request.split.mode != SplitSpec::Mode::None) {
        for (const std::filesystem::path& stale : trackFilesOf(request.target)) {
            std::error_code ignored;
            if (std::none_of(paths.begin(), paths.end(),
                             [&](const std::filesystem::path& p) { return p.filename() == stale.filename(); }))
                std::filesystem::remove(stale, ignored);
        }
        std::error_code ignored;
        if (!lesson.playlist)
            std::filesystem::remove(playlistPath(request.target), ignored);
    }
    report(1);
    return lesson;
}

} // namespace brivo::exporting
