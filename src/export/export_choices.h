#pragma once

#include "export/export_format.h"
#include "export/track_cuts.h"

#include <string>
#include <string_view>

namespace brivo::exporting {

// The export dialog's choices, kept in the settings as one line of words:
// "format=mp3 quality=5 rate=44100 split=minutes minutes=5 artist=F5ABC
// album=Cours%20Koch folder=/home/a%20b/Musique", blanks and "%" escaped.
// Words that do not read keep their defaults.
struct ExportChoices {
    ExportFormat format = ExportFormat::Mp3;
    int quality = 5;
    int sampleRate = 44100;
    SplitSpec split{SplitSpec::Mode::None, 5};
    std::string artist;
    std::string album = "BRIVO";
    std::string folder; // where the last export went

    bool operator==(const ExportChoices&) const = default;
};

std::string exportChoicesText(const ExportChoices& choices);
ExportChoices parseExportChoices(std::string_view text);

} // namespace brivo::exporting
