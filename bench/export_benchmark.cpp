// Export speed: the 2,160-character exercise (432 groups of five random
// letters and figures) at 12 words per minute exported to MP3 at 11025 Hz,
// then each format at 48 kHz with its real-time factor, and the peak
// memory of it all. The files go to BRIVO_BENCH_DIR, or the current folder,
// and are removed. `--write-exercise FILE` writes the text instead, for
// export_vs_tools.sh.
#include "common/edit_text.h"
#include "export/lesson_export.h"
#include "morse/default_definitions.h"
#include "morse/definition_parser.h"
#include "resident_memory.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

std::filesystem::path benchFolder()
{
    const char* folder = std::getenv("BRIVO_BENCH_DIR");
    return folder != nullptr ? std::filesystem::path(folder) : std::filesystem::current_path();
}

std::string exercise()
{
    brivo::RandomGenerator random(2160);
    const std::string alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::string text;
    for (int group = 0; group < 432; ++group) {
        for (int i = 0; i < 5; ++i)
            text += alphabet[random.below(static_cast<std::uint32_t>(alphabet.size()))];
        text += group % 10 == 9 ? '\n' : ' ';
    }
    return text;
}

} // namespace

int main(int argc, char** argv)
{
    using namespace brivo::exporting;
    const std::string text = exercise();
    // The same text for the tools the export is compared with.
    if (argc == 3 && std::string(argv[1]) == "--write-exercise") {
        std::ofstream(argv[2], std::ios::binary) << text;
        return 0;
    }
    const auto table = brivo::tableFromContent(brivo::defaultDefinitionContent());
    const auto run = [&](ExportFormat format, int rate) {
        ExportRequest request;
        request.render.text = brivo::keyedTextFromUtf8(text);
        request.render.parameters.speedPosition = 72; // 12 words per minute
        request.render.parameters.sampleRateIndex = std::nullopt;
        request.render.previousSampleRate = rate;
        request.target = benchFolder() / ("brivo-bench-export" + std::string(formatExtension(format)));
        request.format = format;
        brivo::RandomGenerator random(1);
        const auto start = std::chrono::steady_clock::now();
        const auto exported = exportLesson(request, table, random);
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        if (!exported) {
            std::printf("%s: %s\n", std::string(formatLabel(format)).c_str(), exported.error().message.c_str());
            return;
        }
        const double audio = static_cast<double>(exported->samples) / exported->sampleRate;
        std::printf("%-11s %5d Hz: %6.3f s for %5.0f s of sound, %6.0f x real time\n",
                    std::string(formatLabel(format)).c_str(), rate, seconds, audio, audio / seconds);
        std::filesystem::remove(request.target);
    };
    std::printf("The 2,160-character exercise at 12 words per minute:\n");
    run(ExportFormat::Mp3, 11025);
    for (const ExportFormat format : kExportFormats)
        run(format, 48000);
    std::printf("peak resident memory: %.1f MiB\n", static_cast<double>(peakResidentKilobytes()) / 1024);
}
