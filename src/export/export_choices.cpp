#include "export/export_choices.h"

#include "common/word_escape.h"

#include <algorithm>
#include <charconv>

namespace brivo::exporting {
namespace {

std::string decimal(double value)
{
    std::string text(32, '\0');
    const auto end = std::to_chars(text.data(), text.data() + text.size(), value).ptr;
    text.resize(static_cast<std::size_t>(end - text.data()));
    return text;
}

} // namespace

std::string exportChoicesText(const ExportChoices& c)
{
    const char* split = c.split.mode == SplitSpec::Mode::Lines     ? "lines"
                        : c.split.mode == SplitSpec::Mode::Minutes ? "minutes"
                                                                   : "none";
    std::string extension(formatExtension(c.format));
    return "format=" + extension.substr(1) + " quality=" + std::to_string(c.quality) +
           " rate=" + std::to_string(c.sampleRate) + " split=" + split + " minutes=" + decimal(c.split.minutes) +
           " artist=" + escapeBlanks(c.artist) + " album=" + escapeBlanks(c.album) +
           " folder=" + escapeBlanks(c.folder);
}

ExportChoices parseExportChoices(std::string_view text)
{
    ExportChoices c;
    while (!text.empty()) {
        const std::size_t blank = text.find(' ');
        const std::string_view word = text.substr(0, blank);
        text = blank == std::string_view::npos ? std::string_view() : text.substr(blank + 1);
        const std::size_t equals = word.find('=');
        if (equals == std::string_view::npos)
            continue;
        const std::string_view key = word.substr(0, equals);
        const std::string_view value = word.substr(equals + 1);
        int number = 0;
        const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), number);
        const bool integer = error == std::errc{} && end == value.data() + value.size();
        if (key == "format") {
            c.format = formatNamed(value).value_or(c.format);
        } else if (key == "quality" && integer && number >= 0 && number <= 10) {
            c.quality = number;
        } else if (key == "rate" && integer &&
                   std::find(kExportRates.begin(), kExportRates.end(), number) != kExportRates.end()) {
            c.sampleRate = number;
        } else if (key == "split") {
            c.split.mode = value == "lines"     ? SplitSpec::Mode::Lines
                           : value == "minutes" ? SplitSpec::Mode::Minutes
                                                : SplitSpec::Mode::None;
        } else if (key == "minutes") {
            double minutes = 0;
            const auto [at, failed] = std::from_chars(value.data(), value.data() + value.size(), minutes);
            if (failed == std::errc{} && at == value.data() + value.size() && minutes > 0 && minutes <= 600)
                c.split.minutes = minutes;
        } else if (key == "artist") {
            c.artist = unescapeBlanks(value);
        } else if (key == "album") {
            c.album = unescapeBlanks(value);
        } else if (key == "folder") {
            c.folder = unescapeBlanks(value);
        }
    }
    return c;
}

} // namespace brivo::exporting
