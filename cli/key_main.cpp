#include "cli/key_command.h"

#include <clocale>
#include <iostream>

int main(int argc, char** argv)
{
    std::setlocale(LC_ALL, "");
    const std::vector<std::string> args(argv + 1, argv + argc);
    brivo::cli::CommandEnvironment env{std::cin, std::cout, std::cerr, false, false, {}, {}};
#ifdef BRIVO_WITH_SOUND_CARD
    const brivo::cli::LatencyCheck latency = brivo::cli::measureSoundCardLatency;
#else
    const brivo::cli::LatencyCheck latency;
#endif
    return brivo::cli::runKeyCommand(args, env, latency);
}
