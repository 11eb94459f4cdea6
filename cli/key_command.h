#pragma once

#include "cli/command_environment.h"

#include <string>
#include <vector>

namespace brivo::cli {

// brivo-key: the sending practice's decoder, keyers and fist report on key
// edge files. Returns the exit status (0 done, 1 a file that cannot be
// read, 2 refused options or edges).
int runKeyCommand(const std::vector<std::string>& args, CommandEnvironment& env);

} // namespace brivo::cli
