#pragma once

#include "audio/keying_parameters.h"
#include "common/result.h"
#include "export/audio_encoder.h"
#include "export/export_format.h"
#include "export/track_cuts.h"
#include "reception/reception_conditions.h"
#include "speech/answered_render.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace brivo::cli {

struct RenderOptions {
    bool help = false;
    bool version = false;
    std::string output = "Morse.WAV";
    std::optional<std::string> input; // --input FILE
    std::optional<std::string> table; // --table FILE
    std::optional<std::string> text;  // the positional words, joined by blanks
    std::string start;                // --start, at most 5 characters
    std::string end;                  // --end, at most 5 characters
    bool live = false;
    std::optional<speech::AnswerOptions> spokenAnswers; // --speak, --speak-pause, --speak-again
    std::optional<std::uint32_t> seed;
    KeyingParameters parameters;
    reception::ReceptionConditions conditions; // all off by default
    // Export: a rate beyond the window's list (0: none), the format
    // (from --format, else the output's extension), quality, tags, split.
    int exportRate = 0;
    std::optional<exporting::ExportFormat> format;
    int quality = 5;
    exporting::Tags tags;
    bool commentGiven = false;
    exporting::SplitSpec split;
};

// The options of a command line, or why it is refused (Refused, with a
// French message).
Result<RenderOptions> parseRenderOptions(const std::vector<std::string>& args);

std::string renderUsage();

} // namespace brivo::cli
