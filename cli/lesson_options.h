#pragma once

#include "common/result.h"
#include "practice/koch_course.h"
#include "practice/material/material.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace brivo::cli {

// What the options of brivo-lesson ask for.
struct LessonOptions {
    std::filesystem::path history;
    std::string order = std::string(practice::kDefaultOrderName);
    std::optional<std::string> table;
    std::optional<int> lesson;
    practice::SessionSpec session{std::nullopt, 5.0, 5};
    practice::CourseSpeeds speeds;
    std::optional<std::uint32_t> seed;
    bool json = false;
    bool status = false;
    bool help = false;
    bool version = false;
    std::vector<std::string> record; // the sent text and the copy
    practice::MaterialKind material = practice::MaterialKind::Groups;
    practice::Language language = practice::Language::French;
    std::optional<std::string> list;
    std::optional<std::string> drill;   // "characters" or "callsigns"
    std::optional<std::string> answers; // the answers to a drill
};

// Reads the options over `options` (the defaults); Refused with a French message when
// one is unknown, lacks its value or is out of range.
Result<LessonOptions> parseLessonOptions(const std::vector<std::string>& args, LessonOptions options);

// brivo-lesson's help text.
std::string_view lessonUsage();

} // namespace brivo::cli
