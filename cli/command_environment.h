#pragma once

#include <cstdint>
#include <functional>
#include <iosfwd>

namespace brivo::cli {

enum ExitStatus { kExitOk = 0, kExitFileError = 1, kExitRefused = 2 };

// What the command needs from its process, so tests can run it in-process.
struct CommandEnvironment {
    std::istream& in;
    std::ostream& out;
    std::ostream& err;
    bool errIsTerminal = false;
    bool inIsTerminal = false;
    std::function<std::int64_t()> secondsNow; // calendar seconds, for the default seed
    std::function<double()> monotonicSeconds; // for the progress display
};

} // namespace brivo::cli
