#include "cli/check_command.h"
#include "support/case_name.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>
#include <sstream>

namespace brivo::cli {
namespace {

class CheckCommand : public testing::Test {
protected:
    void SetUp() override
    {
        test::writeBytes(dir_ / "sent.txt", "ABCDE FGHIJ \"\\\r\n");
        // Windows-1252: "é" is one byte here.
        test::writeBytes(dir_ / "copy.txt", "abde fghxj \"/ \xE9");
    }

    int run(std::vector<std::string> args)
    {
        for (std::string& arg : args) {
            if (arg.ends_with(".txt"))
                arg = (dir_ / arg).string();
        }
        std::istringstream in;
        out_.str({});
        err_.str({});
        CommandEnvironment env{in, out_, err_, false, false, {}, {}};
        return runCheckCommand(args, env);
    }

    test::TempDir dir_;
    std::ostringstream out_;
    std::ostringstream err_;
};

TEST_F(CheckCommand, JsonIsOneObjectWithEveryCount)
{
    ASSERT_EQ(run({"--json", "sent.txt", "copy.txt"}), kExitOk);
    EXPECT_EQ(
        out_.str(),
        "{\"score\": 64.3, \"distance\": 5, \"sent_chars\": 12, \"substitutions\": 2, \"deletions\": 1, "
        "\"insertions\": 2, \"per_char\": {\"\\\"\": {\"sent\": 1, \"wrong\": 0}, \"A\": {\"sent\": 1, "
        "\"wrong\": 0}, \"B\": {\"sent\": 1, \"wrong\": 0}, \"C\": {\"sent\": 1, \"wrong\": 1}, \"D\": {\"sent\": "
        "1, \"wrong\": 0}, \"E\": {\"sent\": 1, \"wrong\": 0}, \"F\": {\"sent\": 1, \"wrong\": 0}, \"G\": "
        "{\"sent\": 1, \"wrong\": 0}, \"H\": {\"sent\": 1, \"wrong\": 0}, \"I\": {\"sent\": 1, \"wrong\": 1}, "
        "\"J\": {\"sent\": 1, \"wrong\": 0}, \"\\\\\": {\"sent\": 1, \"wrong\": 1}}, \"confusions\": [{\"sent\": "
        "\"I\", \"copied\": \"X\", \"count\": 1}, {\"sent\": \"\\\\\", \"copied\": \"É\", \"count\": 1}]}\n");
    EXPECT_EQ(err_.str(), "");
}

TEST_F(CheckCommand, TextShowsTheScoreAndMarksTheErrors)
{
    test::writeBytes(dir_ / "sent.txt", "ABCDE FGHIJ");
    test::writeBytes(dir_ / "copy.txt", "abde fghxjk");
    ASSERT_EQ(run({"sent.txt", "copy.txt"}), kExitOk);
    const std::string out = out_.str();
    EXPECT_EQ(out.substr(0, out.find("Caractère")), "Score : 72,7 % (distance 3 pour 11 caractères envoyés)\n"
                                                    "Substitutions : 1, omissions : 1, ajouts : 1\n\n"
                                                    "Envoyé : ABCDE FGHIJ·\n"
                                                    "Copié  : AB·DE FGHXJK\n"
                                                    "           ^      ^ ^\n\n");
    EXPECT_NE(out.find("  C              1        1\n"), std::string::npos) << out;
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
    testing::Values(
        StatusCase{"compared", {"sent.txt", "copy.txt"}, kExitOk, ""}, StatusCase{"help", {"--help"}, kExitOk, ""},
        StatusCase{
            "unreadableCopy", {"sent.txt", "missing.txt"}, kExitFileError, "brivo-check : Impossible de lire « "},
        StatusCase{"oneFile", {"sent.txt"}, kExitRefused, "brivo-check : il faut deux fichiers"},
        StatusCase{"threeFiles", {"sent.txt", "copy.txt", "copy.txt"}, kExitRefused, "brivo-check : il faut deux"},
        StatusCase{"unknownOption",
                   {"--csv", "sent.txt", "copy.txt"},
                   kExitRefused,
                   "brivo-check : option inconnue : « --csv »"},
        StatusCase{"fileNamedLikeAnOption",
                   {"--", "sent.txt", "-copy"},
                   kExitFileError,
                   "brivo-check : Impossible de lire « -copy »"}),
    test::CaseName{});

} // namespace
} // namespace brivo::cli
