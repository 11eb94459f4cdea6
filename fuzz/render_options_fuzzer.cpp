// Feeds arbitrary command lines (NUL-separated words) to brivo-render's
// option parser: it accepts or refuses with a message, and what it accepts
// is within the ranges of the window's controls.
#include "cli/render_options.h"
#include "fuzz/command_line.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::vector<std::string> args = commandLineOf(data, size);
    const auto parsed = brivo::cli::parseRenderOptions(args);
    if (!parsed) {
        if (parsed.error().message.empty())
            std::abort();
        return 0;
    }
    const brivo::KeyingParameters& p = parsed->parameters;
    using namespace brivo::sound;
    if (!kTone.contains(p.tonePosition) || !kSignal.contains(p.signalPosition) || !kNoise.contains(p.noisePosition) ||
        !kSpeed.contains(p.speedPosition) || !kSpacing.contains(p.spacingFactor))
        std::abort();
    return 0;
}
