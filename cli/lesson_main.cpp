#include "cli/lesson_command.h"
#include "practice/history/history_store.h"

#include <clocale>
#include <cstdlib>
#include <ctime>
#include <iostream>

int main(int argc, char** argv)
{
    std::setlocale(LC_ALL, "");
    const std::vector<std::string> args(argv + 1, argv + argc);
    brivo::cli::CommandEnvironment env{
        std::cin, std::cout, std::cerr, false, false, [] { return static_cast<std::int64_t>(std::time(nullptr)); }, {}};
    return brivo::cli::runLessonCommand(
        args, env, brivo::practice::historyFilePath(std::getenv("XDG_DATA_HOME"), std::getenv("HOME")));
}
