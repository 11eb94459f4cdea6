#pragma once

#include "cli/command_environment.h"
#include "common/result.h"

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace brivo::cli {

// A tool's options: the switches, the options that take a value, and the
// short names that stand for long ones ("-o" for "--output"). Each action
// is told the option's name as given and may refuse it (Refused).
struct OptionTable {
    using Switch = std::function<Result<void>(const std::string& option)>;
    using Valued = std::function<Result<void>(const std::string& option, const std::string& value)>;
    std::map<std::string, Switch, std::less<>> switches;
    std::map<std::string, Valued, std::less<>> valued;
    std::map<std::string, std::string, std::less<>> aliases;
};

struct CommandLine {
    std::vector<std::string> operands;
    bool help = false;
    bool version = false;
};

// Reads a command line the one way every BRIVO tool does: "--name value"
// and "--name=value"; "--" ends the options; "-" and what does not start
// with "-" are operands, in order; "-h", "--help" and "--version" are
// always known. An unknown option or a missing value is refused (Refused)
// in French, before any later action runs.
Result<CommandLine> readCommandLine(const std::vector<std::string>& args, const OptionTable& table);

// What every tool says and how: its name before each message, its help
// and its version line.
struct Tool {
    std::string_view name;  // "brivo-check"
    std::string_view usage; // the --help text

    // "NAME : MESSAGE" on the error stream; gives `status`.
    int report(CommandEnvironment& env, int status, const std::string& message) const;
    // The help or the version when the line asks for one (kExitOk), else
    // nothing.
    std::optional<int> helpOrVersion(const CommandLine& line, CommandEnvironment& env) const;
};

} // namespace brivo::cli
