#include "speech/answered_render.h"

#include "audio/wav_file_writer.h"
#include "common/messages.h"
#include "reception/reception_renderer.h"

#include <algorithm>
#include <cmath>
#include <functional>

namespace brivo::speech {
namespace {

// Adds each insertion's clip onto the stream where the render opened for
// it, and passes the stream on. Only the clip being played is held.
class ClipMixer {
public:
    using ClipOf = std::function<std::vector<std::int16_t>(std::size_t index)>;

    ClipMixer(const SampleSink& sink, const Openings& insertions, ClipOf clipOf)
        : sink_(sink), insertions_(insertions), clipOf_(std::move(clipOf))
    {
        std::uint64_t before = 0;
        for (const Opening& insertion : insertions) {
            starts_.push_back(insertion.at + before);
            before += insertion.length;
        }
    }

    bool operator()(std::span<const std::int16_t> block)
    {
        const std::uint64_t from = position_;
        const std::uint64_t to = position_ + block.size();
        position_ = to;
        if (next_ >= starts_.size() || starts_[next_] >= to)
            return sink_(block);
        buffer_.assign(block.begin(), block.end());
        for (; next_ < starts_.size() && starts_[next_] < to; ++next_) {
            const std::uint64_t start = starts_[next_];
            const std::uint64_t end = start + insertions_[next_].length;
            if (held_ != next_) {
                clip_ = clipOf_(next_);
                clip_.resize(static_cast<std::size_t>(end - start), 0);
                held_ = next_;
            }
            for (std::uint64_t at = std::max(start, from); at < std::min(end, to); ++at) {
                std::int16_t& sample = buffer_[static_cast<std::size_t>(at - from)];
                sample = static_cast<std::int16_t>(
                    std::clamp(sample + clip_[static_cast<std::size_t>(at - start)], -32768, 32767));
            }
            if (end > to)
                break;
        }
        return sink_(buffer_);
    }

private:
    const SampleSink& sink_;
    const Openings& insertions_;
    ClipOf clipOf_;
    std::vector<std::uint64_t> starts_; // of each insertion, in the stream
    std::size_t next_ = 0;
    std::size_t held_ = static_cast<std::size_t>(-1);
    std::vector<std::int16_t> clip_;
    std::vector<std::int16_t> buffer_;
    std::uint64_t position_ = 0;
};

RenderRequest keyedAlone(const RenderRequest& request, const KeyedText& keyed)
{
    RenderRequest alone = request;
    alone.text = keyed;
    alone.form = RenderForm::Live;
    return alone;
}

std::vector<std::int16_t> fitted(Result<std::vector<std::int16_t>> voice, std::uint64_t length)
{
    std::vector<std::int16_t> samples = voice ? std::move(*voice) : std::vector<std::int16_t>{};
    samples.resize(static_cast<std::size_t>(length), 0);
    return samples;
}

} // namespace

Result<AnsweredRender> AnsweredRender::plan(const RenderRequest& request, const MorseTable& table,
                                            const reception::ReceptionConditions& conditions,
                                            const std::optional<AnswerOptions>& options, const std::string& preface,
                                            const AnswerSpan& answered)
{
    AnsweredRender plan;
    plan.request_ = request;
    plan.table_ = table;
    plan.conditions_ = conditions;
    const std::uint64_t plain = reception::renderedSampleCount(request, table, conditions);
    plan.sampleCount_ = plain;
    if (options) {
        const int rate = renderSampleRate(request);
        const std::int16_t level =
            std::max<std::int16_t>(deriveKeyingValues(request.parameters, rate).toneAmplitude, 1);
        auto voice = std::make_shared<AnswerVoice>(rate, level);
        plan.pause_ = static_cast<std::uint64_t>(
            std::llround(std::clamp(options->pauseSeconds, kMinAnswerPause, kMaxAnswerPause) * rate));
        if (!preface.empty()) {
            const Result<std::vector<std::int16_t>> said = voice->sayPhrase(preface);
            if (!said)
                return said.error();
            plan.preface_ = preface;
            plan.said_.push_back({{}, {}, said->size()});
            plan.insertions_.push_back({0, said->size() + plan.pause_ / 2});
        }
        for (AnswerPoint& point : answerPoints(
                 request.text, table, reception::renderedMarks(request, table, conditions), rate, plain, answered)) {
            const Result<std::vector<std::int16_t>> said = voice->say(point.unit);
            if (!said)
                return said.error();
            std::uint64_t length = plan.pause_ + said->size() + plan.pause_ / 2;
            if (options->keyAgain)
                length += renderedSampleCount(keyedAlone(request, point.keyed), table) + plan.pause_ / 2;
            else
                point.keyed.clear();
            plan.said_.push_back({std::move(point.unit), std::move(point.keyed), said->size()});
            plan.insertions_.push_back({point.sample, length});
        }
        plan.voice_ = std::move(voice);
        for (const Opening& insertion : plan.insertions_)
            plan.sampleCount_ += insertion.length;
    }
    if (plan.sampleCount_ > kMaxWavSamples)
        return fail(ErrorCode::TooLong, std::string(messages::kTooLong));
    return plan;
}

int AnsweredRender::sampleRate() const
{
    return renderSampleRate(request_);
}

std::vector<std::int16_t> AnsweredRender::clip(const Said& said) const
{
    std::vector<std::int16_t> samples;
    if (said.unit.empty()) {
        samples = fitted(voice_->sayPhrase(preface_), said.voiceLength);
    } else {
        samples.assign(static_cast<std::size_t>(pause_), 0);
        const std::vector<std::int16_t> voice = fitted(voice_->say(said.unit), said.voiceLength);
        samples.insert(samples.end(), voice.begin(), voice.end());
    }
    samples.resize(samples.size() + static_cast<std::size_t>(pause_ / 2), 0);
    if (!said.keyed.empty()) {
        RandomGenerator clean(1);
        // A word never reaches a WAV file's size: the render cannot fail.
        (void)renderMorseSamples(keyedAlone(request_, said.keyed), table_, clean,
                                 [&](std::span<const std::int16_t> block) {
                                     samples.insert(samples.end(), block.begin(), block.end());
                                     return true;
                                 });
    }
    return samples; // the mixer makes up the last half pause
}

Result<RenderedFile> AnsweredRender::render(RandomGenerator& random, const SampleSink& sink,
                                            const RenderProgress& progress) const
{
    if (insertions_.empty())
        return reception::renderSamples(request_, table_, conditions_, random, sink, progress);
    ClipMixer mixer(sink, insertions_, [this](std::size_t index) { return clip(said_[index]); });
    return reception::renderSamples(
        request_, table_, conditions_, random, [&mixer](std::span<const std::int16_t> block) { return mixer(block); },
        progress, insertions_);
}

Result<AnsweredRender> renderAnsweredFile(const RenderRequest& request, const MorseTable& table,
                                          const reception::ReceptionConditions& conditions,
                                          const AnswerOptions& options, RandomGenerator& random,
                                          const std::string& preface, const AnswerSpan& answered,
                                          const RenderProgress& progress)
{
    Result<AnsweredRender> plan = AnsweredRender::plan(request, table, conditions, options, preface, answered);
    if (!plan)
        return plan.error();
    const Result<RenderedFile> written = writeRenderedFile(
        request.path, plan->sampleRate(), plan->sampleCount(),
        [&](const SampleSink& sink, const RenderProgress& step) { return plan->render(random, sink, step); }, progress);
    if (!written)
        return written.error();
    return plan;
}

} // namespace brivo::speech
