#pragma once

#include "cli/command_environment.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <vector>

namespace brivo::test {

// A command-line tool run in-process over the files of a temporary folder:
// every argument ending in ".txt" names a file there, and `input` is its
// standard input. Its output and its error stream are kept until the next
// run.
class CommandFixture : public testing::Test {
protected:
    template <typename Command>
    int runCommand(Command command, std::vector<std::string> args, const std::string& input = {})
    {
        for (std::string& arg : args) {
            if (arg.ends_with(".txt"))
                arg = (dir_ / arg).string();
        }
        std::istringstream in(input);
        out_.str({});
        err_.str({});
        cli::CommandEnvironment env{in, out_, err_, false, false, [this] { return clock_; }, [] { return 0.0; }};
        return command(args, env);
    }

    std::int64_t clock_ = 7; // calendar seconds
    TempDir dir_;
    std::ostringstream out_;
    std::ostringstream err_;
};

} // namespace brivo::test
