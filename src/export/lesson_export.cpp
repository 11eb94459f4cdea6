#include "export/lesson_export.h"

#include "common/atomic_file.h"
#include "common/file_io.h"
#include "common/messages.h"
#include "common/number_text.h"
#include "common/utf8.h"
#include "reception/reception_renderer.h"

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
        return refused(std::string(messages::kControlInFileName));
    for (const std::string* tag : {&tags.title, &tags.artist, &tags.album, &tags.comment}) {
        if (!isValidUtf8(*tag))
            return refused(std::string(messages::kTagNotUtf8));
        if (hasControlCharacter(*tag))
            return refused(std::string(messages::kControlInTag));
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

double headroomGain(int peak)
{
    constexpr double kMostPeak = 32767 * 0.8912509; // 1 dB under full scale
    return peak > kMostPeak ? kMostPeak / peak : 1.0;
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

namespace {

// The loudest sample a render makes: bounded for the plain render (the
// tone and its noise; the voice is never louder than the tone), measured
// by a first render otherwise.
int peakOf(const speech::AnsweredRender& render, const RenderRequest& request,
           const reception::ReceptionConditions& conditions, RandomGenerator random, const std::atomic<bool>* cancel)
{
    if (!conditions.any()) {
        const KeyingValues values = deriveKeyingValues(request.parameters, render.sampleRate());
        return values.toneAmplitude + values.noiseSpan;
    }
    int peak = 0;
    const Result<RenderedFile> measured = render.render(random, [&peak, cancel](std::span<const std::int16_t> block) {
        for (const std::int16_t s : block)
            peak = std::max(peak, std::abs(static_cast<int>(s)));
        return cancel == nullptr || !cancel->load(std::memory_order_relaxed);
    });
    return measured ? peak : 0;
}

// One worker's share of an export: the whole render streams through it,
// and it encodes the tracks whose index it owns, each in turn.
class TrackRouter {
public:
    struct Job {
        const std::vector<std::uint64_t>& starts; // of each track, in the stream
        std::uint64_t total;
        std::vector<ReplacementFile>& files;
        const std::vector<std::filesystem::path>& paths;
        const ExportRequest& request;
        int sampleRate;
        double gain;
        std::size_t worker;
        std::size_t workers;
        const std::atomic<bool>* cancel;
        std::function<void(std::uint64_t)> encoded; // samples more encoded
    };

    explicit TrackRouter(Job job) : job_(std::move(job)) {}

    bool operator()(std::span<const std::int16_t> block)
    {
        while (!block.empty()) {
            if (job_.cancel != nullptr && job_.cancel->load(std::memory_order_relaxed))
                return false;
            while (track_ + 1 < job_.starts.size() && position_ >= job_.starts[track_ + 1]) {
                if (!close())
                    return false;
                ++track_;
            }
            const std::uint64_t end = trackEnd(track_);
            const auto count = static_cast<std::size_t>(std::min<std::uint64_t>(block.size(), end - position_));
            if (owns(track_) && !encode(block.first(count)))
                return false;
            position_ += count;
            block = block.subspan(count);
        }
        return true;
    }

    // Closes the last track; the first failure, if any.
    std::optional<Error> finish()
    {
        if (!error_ && position_ >= job_.total)
            close();
        return error_;
    }

private:
    std::uint64_t trackEnd(std::size_t track) const
    {
        return track + 1 < job_.starts.size() ? job_.starts[track + 1] : job_.total;
    }
    bool owns(std::size_t track) const { return track % job_.workers == job_.worker; }

    bool encode(std::span<const std::int16_t> samples)
    {
        if (!encoder_) {
            Result<std::unique_ptr<TrackEncoder>> started =
                TrackEncoder::start(job_.files[track_].descriptor(), job_.paths[track_], job_.sampleRate,
                                    job_.request.format, job_.request.quality, trackEnd(track_) - job_.starts[track_]);
            if (!started)
                return failed(started.error());
            encoder_ = std::move(*started);
        }
        Result<void> written;
        if (job_.gain < 1) {
            scaled_.resize(samples.size());
            for (std::size_t i = 0; i < samples.size(); ++i)
                scaled_[i] = static_cast<std::int16_t>(std::lround(samples[i] * job_.gain));
            written = encoder_->write(scaled_);
        } else {
            written = encoder_->write(samples);
        }
        if (!written)
            return failed(written.error());
        job_.encoded(samples.size());
        return true;
    }

    bool close()
    {
        if (!owns(track_))
            return true;
        if (!encoder_ && !encode({}))
            return false;
        const Result<void> done = encoder_->finish(tagsOf(track_));
        encoder_.reset();
        return done || failed(done.error());
    }

    Tags tagsOf(std::size_t track) const
    {
        Tags tags = job_.request.tags;
        if (job_.paths.size() > 1) {
            tags.track = static_cast<int>(track + 1);
            tags.trackCount = static_cast<int>(job_.paths.size());
            tags.title = (tags.title.empty() ? job_.request.target.stem().string() : tags.title) + " " +
                         trackNumber(track + 1, job_.paths.size());
        }
        return tags;
    }

    bool failed(const Error& error)
    {
        if (!error_)
            error_ = error;
        return false;
    }

    Job job_;
    std::size_t track_ = 0;
    std::uint64_t position_ = 0;
    std::unique_ptr<TrackEncoder> encoder_;
    std::vector<std::int16_t> scaled_;
    std::optional<Error> error_;
};

} // namespace

Result<ExportedLesson> exportLesson(const ExportRequest& request, const MorseTable& table, RandomGenerator& random,
                                    const ExportProgress& progress, const std::atomic<bool>* cancel)
{
    const int sampleRate = renderSampleRate(request.render);
    if (const std::optional<std::string> unavailable = formatUnavailable(request.format, sampleRate))
        return fail(ErrorCode::Refused, *unavailable);
    if (const Result<void> tags = checkNamesAndTags(request.target, request.tags); !tags)
        return tags.error();
    if (isSpecialFile(request.target))
        return fail(ErrorCode::CreateFailed,
                    "« " + request.target.string() + " » : " + std::string(messages::kNotAFile));

    const auto report = [&progress](double done) {
        if (progress)
            progress(std::clamp(done, 0.0, 1.0));
    };
    const auto isCancelled = [cancel] { return cancel != nullptr && cancel->load(); };

    // An unsplit WAV without answers is the plain render, written as
    // brivo-render writes it.
    if (request.format == ExportFormat::Wav && request.split.mode == SplitSpec::Mode::None && !request.spokenAnswers) {
        RenderRequest render = request.render;
        render.path = request.target;
        const Result<RenderedFile> rendered = reception::renderWithConditions(
            render, table, request.conditions, random, [&](std::uint64_t done, std::uint64_t total) {
                report(static_cast<double>(done) / static_cast<double>(std::max<std::uint64_t>(total, 1)));
            });
        if (!rendered)
            return rendered.error();
        return ExportedLesson{{request.target}, std::nullopt, rendered->sampleCount, rendered->sampleRate};
    }

    // The answers are said once each to know where everything goes; then
    // the render streams straight into the encoders, a block at a time.
    const Result<speech::AnsweredRender> plan = speech::AnsweredRender::plan(
        request.render, table, request.conditions, request.spokenAnswers, {}, request.answered);
    if (!plan)
        return plan.error();
    const std::uint64_t plain = reception::renderedSampleCount(request.render, table, request.conditions);
    Result<std::vector<std::uint64_t>> starts =
        trackStarts(request.render.text, table, reception::renderedMarks(request.render, table, request.conditions),
                    sampleRate, plain, request.split);
    if (!starts)
        return starts.error();
    // A cut moves on by the answers before it; the answer at a cut stays
    // with the word before it.
    for (std::uint64_t& start : *starts)
        start = start == 0 ? 0 : speech::afterAnswers(start, plan->insertions());
    const double gain = isLossless(request.format)
                            ? 1.0
                            : headroomGain(peakOf(*plan, request.render, request.conditions, random, cancel));
    if (isCancelled())
        return fail(ErrorCode::Cancelled, std::string(messages::kExportCancelled));

    const std::vector<std::filesystem::path> paths = trackPaths(request.target, starts->size());
    std::vector<ReplacementFile> files;
    files.reserve(paths.size());
    for (const std::filesystem::path& path : paths) {
        Result<ReplacementFile> file = ReplacementFile::create(path);
        if (!file)
            return fail(file.error().code, "Impossible de créer « " + path.string() + " » : " + file.error().message);
        files.push_back(std::move(*file));
    }

    // Each worker renders the whole lesson (the render costs little beside
    // the encoding) from the same draws, and encodes its own tracks.
    const std::uint64_t total = plan->sampleCount();
    const std::size_t workers =
        std::clamp<std::size_t>(std::thread::hardware_concurrency(), 1, std::max<std::size_t>(paths.size(), 1));
    std::vector<std::optional<Error>> errors(workers);
    std::vector<RandomGenerator> draws(workers, random);
    std::atomic<std::uint64_t> encoded{0};
    std::mutex reporting;
    const auto work = [&](std::size_t worker) {
        TrackRouter router(
            {*starts, total, files, paths, request, sampleRate, gain, worker, workers, cancel, [&](std::uint64_t more) {
                 const std::lock_guard lock(reporting); // the bar never moves back
                 report(static_cast<double>(encoded += more) / static_cast<double>(std::max<std::uint64_t>(total, 1)));
             }});
        const Result<RenderedFile> rendered =
            plan->render(draws[worker], [&router](std::span<const std::int16_t> block) { return router(block); });
        if (!rendered)
            errors[worker] = rendered.error();
        else if (std::optional<Error> failure = router.finish())
            errors[worker] = std::move(failure);
    };
    {
        std::vector<std::jthread> threads;
        for (std::size_t worker = 1; worker < workers; ++worker)
            threads.emplace_back(work, worker);
        work(0);
    }
    random = draws[0];
    if (isCancelled())
        return fail(ErrorCode::Cancelled, std::string(messages::kExportCancelled));
    for (const std::optional<Error>& error : errors) {
        if (error)
            return *error;
    }

    ExportedLesson lesson{paths, std::nullopt, total, sampleRate};
    if (paths.size() > 1) {
        const std::filesystem::path playlist = playlistPath(request.target);
        const std::string title = request.tags.title.empty() ? request.target.stem().string() : request.tags.title;
        if (const Result<void> written =
                writeFileAtomically(playlist, playlistText(paths, *starts, total, sampleRate, title));
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
