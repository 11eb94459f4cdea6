#pragma once

#include "cli/command_environment.h"

#include <string>
#include <vector>

namespace brivo::cli {

// Runs brivo-render with its arguments (without the program name).
int runRenderCommand(const std::vector<std::string>& args, CommandEnvironment& env);

} // namespace brivo::cli
