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

} // namespace

int renderSampleRate(const RenderRequest& request)
{
    return sampleRateForIndex(request.parameters.sampleRateIndex, request.previousSampleRate);
}

bool renderFitsInWavFile(const RenderRequest& request, const MorseTable& table)
{
    return totalSamples(request, table, valuesFor(request)) <= kMaxWavSamples;
}

Result<RenderedFile> renderMorseFile(const RenderRequest& request, const MorseTable& table, RandomGenerator& random,
                                     const RenderProgress& progress)
{
    const KeyingValues values = valuesFor(request);
    const int sampleRate = values.sampleRate;
    const std::uint64_t total = totalSamples(request, table, values);
    if (total > kMaxWavSamples)
        return fail(ErrorCode::TooLong, std::string(messages::kTooLong));

    WavFileWriter writer;
    if (Result<void> created = writer.create(request.path); !created)
        return created.error();

    const ElementWaveforms waves =
        buildElementWaveforms({values.samplesPerUnit, values.toneFrequency, values.sampleRate, values.toneAmplitude,
                               values.noiseSpan, values.fadeLength},
                              random);

    std::uint64_t written = 0;
    std::uint64_t nextReport = kProgressStep;
    writer.writeHeader(static_cast<std::uint32_t>(total), sampleRate);
    walkTimeline(request.text, table, request.form, request.parameters.spacingFactor, [&](Element element) {
        const auto& block = element == Element::Dash ? waves.dash : element == Element::Dot ? waves.dot : waves.gap;
        if (!writer.append(block))
            return false;
        written += block.size();
        if (progress && written >= nextReport) {
            progress(written, total);
            nextReport = written + kProgressStep;
        }
        return true;
    });

    const auto sampleCount = static_cast<std::uint32_t>(written);
    if (Result<void> finished = writer.finish(sampleCount, sampleRate); !finished)
        return finished.error();
    if (progress)
        progress(written, total);
    return RenderedFile{sampleRate, sampleCount};
}

} // namespace brivo
