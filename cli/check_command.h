#pragma once

#include "cli/command_environment.h"

#include <string>
#include <vector>

namespace brivo::cli {

// Runs brivo-check with its arguments (without the program name): compares
// a copy with the text that was sent, and prints the score, the alignment
// and the per-character table, or one JSON object with --json.
int runCheckCommand(const std::vector<std::string>& args, CommandEnvironment& env);

} // namespace brivo::cli
