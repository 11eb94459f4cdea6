#pragma once

#include "cli/command_environment.h"
#include "cli/lesson_options.h"

#include <filesystem>
#include <string>
#include <vector>

namespace brivo::cli {

// brivo-lesson: the Koch course on the command line. Prints the text of the
// next session, records a checked copy for the course (--record), or says
// where the course stands (--status). The course is kept in the history of
// the copy checks, `defaultHistory` unless --history names another file.
// Exit statuses as brivo-check: 0 done, 1 a file that cannot be read or
// written, 2 refused options.
int runLessonCommand(const std::vector<std::string>& args, CommandEnvironment& env,
                     const std::filesystem::path& defaultHistory);

} // namespace brivo::cli
