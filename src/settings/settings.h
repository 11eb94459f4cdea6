#pragma once

#include "audio/keying_parameters.h"
#include "editzone/colours.h"
#include "exercise/fill_settings.h"
#include "settings/registry_file.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace brivo::settings {

// The 42 settings kept between runs, with their first-start values, and
// the reception conditions after them.
struct Settings {
    std::optional<int> left; // the window's outer left edge; none: centred
    std::optional<int> top;
    int tone = sound::kTone.initial;
    int signal = sound::kSignal.initial;
    int noise = sound::kNoise.initial;
    int speed = sound::kSpeed.initial;
    int groups = exercise::kGroups.initial;
    int groupSize = exercise::kGroupSize.initial;
    std::array<bool, exercise::kSeriesCount> ticked{true};
    std::array<std::string, exercise::kSeriesCount> series; // UTF-8
    int rateIndex = sound::kInitialRateIndex;
    std::string wavFile = "Morse.WAV";
    std::string start;
    std::string end;
    std::string openFile;
    std::string saveFile = "Morse.RTF";
    int openFilter = 1;
    int saveFilter = 1;
    int spacing = sound::kSpacing.initial;
    bool seriesMode = false;
    int letterGroups = exercise::kLetterGroups.initial;
    int digitGroups = exercise::kDigitGroups.initial;
    std::uint32_t textColour = editzone::kSystemWindowText;
    std::uint32_t backgroundColour = editzone::kSystemWindow;
    std::string zoneText; // lines joined by CR LF
    int referenceWord = 0;
    // Kept after the 42: the reception conditions, their switch and their
    // line ("snr=5 filter=250").
    bool conditionsOn = false;
    std::string conditions;
    // The Koch course window's choices, as one line ("minutes=5 ... order=lcwo").
    std::string course;
    // The export dialog's choices, as one line ("format=mp3 quality=5").
    std::string exportChoices;
    // "Réponse parlée": the pause before each answer in tenths of a second,
    // 0 when it is off.
    int spokenAnswerTenths = 0;
    // "Morse, réponse, Morse": each word keyed again after its answer.
    bool spokenAnswerKeyedAgain = false;
    // The sending window's choices, as one line ("mode=iambic-b wpm=20").
    std::string sending;
    // The "Exercices" window's choices ("source=course grow=0 pause=1
    // calls-wpm=20").
    std::string drills;
    // The edit zone's display size in percent (100, 125, 150, 200 or 300).
    int zoneTextScale = 100;

    Settings();
};

// The value names, in the order the file is written.
const std::vector<std::string_view>& valueNames();

struct ScreenSize {
    int width = 0;
    int height = 0;
};

// Applies the stored values to `settings` by the load rules, in load
// order: a value out of its range is ignored, the window's position is
// clamped to the screen. A value of the wrong type is skipped and named in
// the result ("Type de données incorrect pour '…'"); the others still load.
std::vector<std::string> load(const RegistryFile& file, ScreenSize screen, Settings& settings);

// Writes the values into `file`, keeping the values it does not know.
void save(const Settings& settings, RegistryFile& file);

} // namespace brivo::settings
