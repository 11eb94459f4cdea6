#include "cli/check_command.h"
#include "support/case_name.h"
#include "support/command_fixture.h"
#include "support/golden.h"

#include <gtest/gtest.h>
#include <sstream>

namespace brivo::cli {
namespace {

class CheckCommand : public test::CommandFixture {
protected:
    void SetUp() override
    {
        test::writeBytes(dir_ / "sent.txt", "ABCDE FGHIJ \"\\\r\n");
        // Windows-1252: "é" is one byte here.
        test::writeBytes(dir_ / "copy.txt", "abde fghxj \"/ \xE9");
    }

    int run(std::vector<std::string> args) { return runCommand(runCheckCommand, std::move(args)); }
};

// The text report (the two texts aligned, errors marked, the table) and the
// JSON object of one check, whole.
TEST_F(CheckCommand, ReportsMatchTheGoldenFiles)
{
    ASSERT_EQ(run({"sent.txt", "copy.txt"}), kExitOk);
    test::compareWithGolden("brivo-check.txt", out_.str());
    ASSERT_EQ(run({"--json", "sent.txt", "copy.txt"}), kExitOk);
    test::compareWithGolden("brivo-check.json", out_.str());
    EXPECT_EQ(err_.str(), "");
}

struct StatusCase {
    std::string name;
    std::vector<std::string> args;
    int status;
    std::string error; // the start of what is written on the error stream
};

class CheckCommandStatus : public CheckCommand, public testing::WithParamInterface<StatusCase> {};

TEST_P(CheckCommandStatus, ExitStatusAndMessage)
{
    EXPECT_EQ(run(GetParam().args), GetParam().status);
    EXPECT_EQ(err_.str().substr(0, GetParam().error.size()), GetParam().error);
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, CheckCommandStatus,
    testing::Values(StatusCase{"compared", {"sent.txt", "copy.txt"}, kExitOk, ""},
                    StatusCase{"unreadableCopy",
                               {"sent.txt", "missing.txt"},
                               kExitFileError,
                               "brivo-check : Impossible de lire « "},
                    StatusCase{"oneFile", {"sent.txt"}, kExitRefused, "brivo-check : il faut deux fichiers"},
                    StatusCase{"unknownOption",
                               {"--csv", "sent.txt", "copy.txt"},
                               kExitRefused,
                               "brivo-check : option inconnue « --csv »"},
                    StatusCase{"fileNamedLikeAnOption",
                               {"--", "sent.txt", "-copy"},
                               kExitFileError,
                               "brivo-check : Impossible de lire « -copy »"}),
    test::CaseName{});

} // namespace
} // namespace brivo::cli
