// Render throughput on a long text at 22050 Hz and speed 20, beside the raw
// write speed of the same number of bytes to the same folder, in the same
// run, and the same text with every reception condition on (its speed
// against real time). The folder is BRIVO_BENCH_DIR, or the current one.
#include "audio/message_renderer.h"
#include "common/edit_text.h"
#include "morse/default_definitions.h"
#include "morse/definition_parser.h"
#include "reception/reception_renderer.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

std::filesystem::path benchFolder()
{
    const char* folder = std::getenv("BRIVO_BENCH_DIR");
    return folder != nullptr ? std::filesystem::path(folder) : std::filesystem::current_path();
}

brivo::RenderRequest longRequest(int words)
{
    brivo::RenderRequest request;
    request.path = benchFolder() / "brivo-bench-render.wav";
    std::string text;
    for (int i = 0; i < words; ++i)
        text += "PARIS ";
    request.text = brivo::keyedTextFromUtf8(text);
    request.parameters.sampleRateIndex = 4; // 22050 Hz
    request.parameters.speedPosition = 20;
    request.parameters.noisePosition = 50;
    return request;
}

// Runs `render` once an iteration from the same seed, then removes the
// file; returns the file's size.
template <typename Render>
std::uint64_t renderRepeatedly(benchmark::State& state, const brivo::RenderRequest& request, Render render)
{
    std::uint64_t bytes = 0;
    for (auto _ : state) {
        brivo::RandomGenerator random(1);
        const auto rendered = render(random);
        if (!rendered) {
            state.SkipWithError(rendered.error().message.c_str());
            break;
        }
        bytes = 58 + 2ULL * rendered->sampleCount;
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(bytes * state.iterations()));
    state.counters["MB"] = static_cast<double>(bytes) / 1e6;
    std::filesystem::remove(request.path);
    return bytes;
}

void BM_RenderToWav(benchmark::State& state)
{
    const auto table = brivo::tableFromContent(brivo::defaultDefinitionContent());
    const brivo::RenderRequest request = longRequest(static_cast<int>(state.range(0)));
    const std::uint64_t bytes = renderRepeatedly(
        state, request, [&](brivo::RandomGenerator& random) { return brivo::renderMorseFile(request, table, random); });
    state.counters["x_real_time"] =
        benchmark::Counter(static_cast<double>(bytes - 58) / 2 / 22050 * static_cast<double>(state.iterations()),
                           benchmark::Counter::kIsRate);
}

// The same text through every reception condition at once (Gaussian noise
// in place of the plain render's noise).
void BM_RenderWithEveryCondition(benchmark::State& state)
{
    const auto table = brivo::tableFromContent(brivo::defaultDefinitionContent());
    brivo::RenderRequest request = longRequest(static_cast<int>(state.range(0)));
    request.parameters.noisePosition = 0;
    brivo::reception::ReceptionConditions conditions;
    conditions.snrDb = 5;
    conditions.filterHz = 250;
    conditions.filterShape = brivo::reception::FilterShape::Chebyshev;
    conditions.qsbHz = 0.5;
    conditions.qrnRate = 50;
    conditions.crashRate = 0.5;
    conditions.qrm = 5;
    conditions.chirpHz = 50;
    const std::uint64_t bytes = renderRepeatedly(state, request, [&](brivo::RandomGenerator& random) {
        return brivo::reception::renderReceptionFile(request, table, conditions, random);
    });
    // Seconds of sound rendered per second of work.
    state.counters["x_real_time"] =
        benchmark::Counter(static_cast<double>(bytes - 58) / 2 / 22050 * static_cast<double>(state.iterations()),
                           benchmark::Counter::kIsRate);
}

// The same number of bytes written with the same 1 MiB stdio buffer.
void BM_RawWriteSameBytes(benchmark::State& state)
{
    const auto table = brivo::tableFromContent(brivo::defaultDefinitionContent());
    const brivo::RenderRequest request = longRequest(static_cast<int>(state.range(0)));
    const std::uint64_t units = brivo::timelineUnits(request.text, table, request.form, 1);
    const std::uint64_t bytes = 58 + 2 * units * 7937;
    const std::filesystem::path path = benchFolder() / "brivo-bench-raw.bin";
    std::vector<char> block(std::size_t{1} << 16, 'x');
    std::vector<char> buffer(std::size_t{1} << 20);
    for (auto _ : state) {
        std::FILE* file = std::fopen(path.c_str(), "w+b");
        std::setvbuf(file, buffer.data(), _IOFBF, buffer.size());
        for (std::uint64_t left = bytes; left > 0;) {
            const std::size_t chunk = left < block.size() ? static_cast<std::size_t>(left) : block.size();
            std::fwrite(block.data(), 1, chunk, file);
            left -= chunk;
        }
        std::fclose(file);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(bytes * state.iterations()));
    state.counters["MB"] = static_cast<double>(bytes) / 1e6;
    std::filesystem::remove(path);
}

// 400 words of PARIS at 22050 Hz and speed 20: about 317 MB of WAV. The
// first write of that size to a folder pays for the page cache; a warm-up
// run of the raw write takes that cost so the two figures compare.
BENCHMARK(BM_RawWriteSameBytes)->Name("WarmUp")->Arg(400)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_RenderToWav)->Arg(400)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_RawWriteSameBytes)->Arg(400)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_RenderWithEveryCondition)->Arg(400)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

BENCHMARK_MAIN();
