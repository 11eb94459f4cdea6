#include "cli/render_command.h"
#include "common/process_setup.h"

#include <chrono>
#include <clocale>
#include <ctime>
#include <iostream>
#include <unistd.h>

int main(int argc, char** argv)
{
    std::setlocale(LC_ALL, "");
    brivo::ignoreFileSizeSignal();
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> args(argv + 1, argv + argc);
    brivo::cli::CommandEnvironment env{
        std::cin,
        std::cout,
        std::cerr,
        isatty(STDERR_FILENO) == 1,
        isatty(STDIN_FILENO) == 1,
        [] { return static_cast<std::int64_t>(std::time(nullptr)); },
        [] {
            using Clock = std::chrono::steady_clock;
            return std::chrono::duration<double>(Clock::now().time_since_epoch()).count();
        },
    };
    return brivo::cli::runRenderCommand(args, env);
}
