#pragma once

#include "cli/command_environment.h"
#include "cli/key_latency.h"

#include <string>
#include <vector>

namespace brivo::cli {

// brivo-key: the sending practice's decoder, keyers and fist report on key
// edge files, and the loop-back check of the sidetone through `latency`.
// Returns the exit status (0 done, 1 a file that cannot be read or a sound
// card that cannot be used, 2 refused options or edges).
int runKeyCommand(const std::vector<std::string>& args, CommandEnvironment& env, const LatencyCheck& latency = {});

} // namespace brivo::cli
