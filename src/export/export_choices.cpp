#include "export/export_choices.h"

#include "common/number_text.h"
#include "common/settings_words.h"

#include <algorithm>
#include <charconv>

namespace brivo::exporting {
std::string exportChoicesText(const ExportChoices& c)
{
    const char* split = c.split.mode == SplitSpec::Mode::Lines     ? "lines"
                        : c.split.mode == SplitSpec::Mode::Minutes ? "minutes"
                                                                   : "none";
    std::string extension(formatExtension(c.format));
    return "format=" + extension.substr(1) + " quality=" + std::to_string(c.quality) +
           " rate=" + std::to_string(c.sampleRate) + " split=" + split + " minutes=" + exactText(c.split.minutes) +
           " artist=" + escapeBlanks(c.artist) + " album=" + escapeBlanks(c.album) +
           " folder=" + escapeBlanks(c.folder);
}

ExportChoices parseExportChoices(std::string_view text)
{
    ExportChoices c;
    forEachSetting(text, {}, [&c](std::string_view key, std::string_view value) {
        if (key == "format") {
            c.format = formatNamed(value).value_or(c.format);
        } else if (key == "quality") {
            c.quality = wholeInteger(value, 0, 10).value_or(c.quality);
        } else if (key == "rate") {
            const std::optional<int> rate = wholeInteger(value, 1, 1'000'000);
            if (rate && std::find(kExportRates.begin(), kExportRates.end(), *rate) != kExportRates.end())
                c.sampleRate = *rate;
        } else if (key == "split") {
            c.split.mode = value == "lines"     ? SplitSpec::Mode::Lines
                           : value == "minutes" ? SplitSpec::Mode::Minutes
                                                : SplitSpec::Mode::None;
        } else if (key == "minutes") {
            if (const std::optional<double> minutes = wholeNumber(value, 0, 600); minutes && *minutes > 0)
                c.split.minutes = *minutes;
        } else if (key == "artist") {
            c.artist = unescapeBlanks(value);
        } else if (key == "album") {
            c.album = unescapeBlanks(value);
        } else if (key == "folder") {
            c.folder = unescapeBlanks(value);
        }
    });
    return c;
}

} // namespace brivo::exporting
