#include "audio/message_renderer.h"

#include "audio/element_waveforms.h"
#include "audio/wav_file_writer.h"
#include "common/messages.h"

namespace brivo {
namespace {

constexpr std::uint64_t kProgressStep = std::uint64_t{1} << 20; // samples between two reports

std::uint64_t totalSamples(const RenderRequest& request, const MorseTable& table, const KeyingValues& values)
{
    return timelineUnits(request.text, table, request.form, request.parameters.spacingFactor) *
           static_cast<std::uint64_t>(values.samplesPerUnit);
}

KeyingValues valuesFor(const RenderRequest& request)
{
    return deriveKeyingValues(request.parameters, renderSampleRate(request));
}

// Passes blocks on to `sink`, with the silence of each opening put in at
// its place.
class OpeningSink {
public:
    OpeningSink(const SampleSink& sink, const Openings& openings) : sink_(sink), openings_(openings) {}

    bool operator()(std::span<const std::int16_t> block)
    {
        while (!block.empty()) {
            if (!openDue())
                return false;
            const std::uint64_t room = next_ < openings_.size() ? openings_[next_].at - at_ : block.size();
            const auto count = static_cast<std::size_t>(std::min<std::uint64_t>(room, block.size()));
            if (!sink_(block.first(count)))
                return false;
            at_ += count;
            delivered_ += count;
            block = block.subspan(count);
        }
        return true;
    }

    // The openings at the end of the render.
    bool finish() { return openDue(); }
    std::uint64_t delivered() const { return delivered_; }

private:
    bool openDue()
    {
        for (; next_ < openings_.size() && openings_[next_].at <= at_; ++next_) {
            for (std::uint64_t left = openings_[next_].length; left > 0;) {
                const auto count = static_cast<std::size_t>(std::min<std::uint64_t>(left, silence_.size()));
                if (!sink_(std::span(silence_).first(count)))
                    return false;
                left -= count;
                delivered_ += count;
            }
        }
        return true;
    }

    const SampleSink& sink_;
    const Openings& openings_;
    std::size_t next_ = 0;
    std::uint64_t at_ = 0;
    std::uint64_t delivered_ = 0;
    std::vector<std::int16_t> silence_ = std::vector<std::int16_t>(4096, 0);
};

} // namespace

int renderSampleRate(const RenderRequest& request)
{
    return sampleRateForIndex(request.parameters.sampleRateIndex, request.previousSampleRate);
}

bool renderFitsInWavFile(const RenderRequest& request, const MorseTable& table)
{
    return totalSamples(request, table, valuesFor(request)) <= kMaxWavSamples;
}

std::uint64_t renderedSampleCount(const RenderRequest& request, const MorseTable& table)
{
    return totalSamples(request, table, valuesFor(request));
}

Result<RenderedFile> renderMorseSamples(const RenderRequest& request, const MorseTable& table, RandomGenerator& random,
                                        const SampleSink& sink, const RenderProgress& progress,
                                        const Openings& openings)
{
    const KeyingValues values = valuesFor(request);
    const std::uint64_t total = totalSamples(request, table, values);
    if (total > kMaxWavSamples)
        return fail(ErrorCode::TooLong, std::string(messages::kTooLong));
    const ElementWaveforms waves =
        buildElementWaveforms({values.samplesPerUnit, values.toneFrequency, values.sampleRate, values.toneAmplitude,
                               values.noiseSpan, values.fadeLength},
                              random);
    std::uint64_t written = 0;
    std::uint64_t nextReport = kProgressStep;
    OpeningSink opened(sink, openings);
    const bool whole =
        walkTimeline(request.text, table, request.form, request.parameters.spacingFactor, [&](Element element) {
            const auto& block = element == Element::Dash ? waves.dash : element == Element::Dot ? waves.dot : waves.gap;
            if (!opened(block))
                return false;
            written += block.size();
            if (progress && written >= nextReport) {
                progress(written, total);
                nextReport = written + kProgressStep;
            }
            return true;
        });
    if (whole)
        opened.finish();
    if (progress)
        progress(written, total);
    return RenderedFile{values.sampleRate, static_cast<std::uint32_t>(opened.delivered())};
}

Result<RenderedFile> writeRenderedFile(const std::filesystem::path& path, int sampleRate, std::uint64_t total,
                                       const SampleRender& render, const RenderProgress& progress)
{
    if (total > kMaxWavSamples)
        return fail(ErrorCode::TooLong, std::string(messages::kTooLong));
    WavFileWriter writer;
    if (Result<void> created = writer.create(path); !created)
        return created.error();
    writer.writeHeader(static_cast<std::uint32_t>(total), sampleRate);
    const Result<RenderedFile> rendered =
        render([&writer](std::span<const std::int16_t> block) { return writer.append(block); },
               [&](std::uint64_t done, std::uint64_t all) {
                   if (progress && done < all)
                       progress(done, all);
               });
    if (!rendered)
        return rendered.error();
    if (Result<void> finished = writer.finish(rendered->sampleCount, sampleRate); !finished)
        return finished.error();
    if (progress)
        progress(rendered->sampleCount, rendered->sampleCount);
    return *rendered;
}

Result<RenderedFile> renderMorseFile(const RenderRequest& request, const MorseTable& table, RandomGenerator& random,
                                     const RenderProgress& progress)
{
    const KeyingValues values = valuesFor(request);
    return writeRenderedFile(
        request.path, values.sampleRate, totalSamples(request, table, values),
        [&](const SampleSink& sink, const RenderProgress& step) {
            return renderMorseSamples(request, table, random, sink, step);
        },
        progress);
}

} // namespace brivo
