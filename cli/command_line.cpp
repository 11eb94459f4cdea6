#include "cli/command_line.h"

#include "common/messages.h"
#include "common/version.h"

#include <ostream>

namespace brivo::cli {

Result<CommandLine> readCommandLine(const std::vector<std::string>& args, const OptionTable& table)
{
    CommandLine line;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string arg = args[i];
        if (optionsEnded || arg.empty() || arg[0] != '-' || arg == "-") {
            line.operands.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        if (arg == "-h" || arg == "--help") {
            line.help = true;
            continue;
        }
        if (arg == "--version") {
            line.version = true;
            continue;
        }
        std::optional<std::string> inlineValue;
        if (const auto equals = arg.find('='); arg.starts_with("--") && equals != std::string::npos) {
            inlineValue = arg.substr(equals + 1);
            arg.resize(equals);
        }
        if (const auto alias = table.aliases.find(arg); alias != table.aliases.end())
            arg = alias->second;
        if (const auto toggle = table.switches.find(arg); toggle != table.switches.end() && !inlineValue) {
            if (Result<void> taken = toggle->second(arg); !taken)
                return taken.error();
            continue;
        }
        const auto handler = table.valued.find(arg);
        if (handler == table.valued.end())
            return fail(ErrorCode::Refused, "option inconnue " + messages::quoted(arg) + ".");
        if (!inlineValue && i + 1 >= args.size())
            return fail(ErrorCode::Refused, "l'option " + arg + " attend une valeur.");
        const std::string value = inlineValue ? *inlineValue : args[++i];
        if (Result<void> taken = handler->second(arg, value); !taken)
            return taken.error();
    }
    return line;
}

int Tool::report(CommandEnvironment& env, int status, const std::string& message) const
{
    env.err << name << " : " << message << '\n';
    return status;
}

std::optional<int> Tool::helpOrVersion(const CommandLine& line, CommandEnvironment& env) const
{
    if (line.help) {
        env.out << usage;
        return kExitOk;
    }
    if (line.version) {
        env.out << name << " (BRIVO) " << kVersion << "\n";
        return kExitOk;
    }
    return std::nullopt;
}

} // namespace brivo::cli
