// Feeds arbitrary command lines (NUL-separated words) to the options of
// brivo-lesson and brivo-check: each accepts or refuses with a message,
// and what brivo-lesson accepts is within its ranges. brivo-check runs
// whole (it only reads), its output kept in memory.
#include "cli/check_command.h"
#include "cli/lesson_options.h"
#include "fuzz/command_line.h"

#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace brivo;
    const std::vector<std::string> args = commandLineOf(data, size);
    const Result<cli::LessonOptions> lesson = cli::parseLessonOptions(args, {});
    if (!lesson) {
        if (lesson.error().message.empty())
            std::abort();
    } else {
        const practice::CourseSpeeds& speeds = lesson->speeds;
        const practice::SessionSpec& session = lesson->session;
        if (speeds.effectiveWpm > speeds.characterWpm || speeds.characterWpm > practice::CourseSpeeds::kMaxWpm ||
            speeds.effectiveWpm < practice::CourseSpeeds::kMinWpm || (session.groups && *session.groups < 1) ||
            (session.minutes && !(*session.minutes > 0)) || session.groupSize < 0 || session.groupSize > 8)
            std::abort();
    }
    std::istringstream in;
    std::ostringstream out;
    std::ostringstream err;
    cli::CommandEnvironment env{in, out, err, false, false, [] { return std::int64_t{0}; }, [] { return 0.0; }};
    const int status = cli::runCheckCommand(args, env);
    if (status != cli::kExitOk && err.str().empty())
        std::abort();
    return 0;
}
