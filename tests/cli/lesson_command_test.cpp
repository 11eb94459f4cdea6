#include "cli/lesson_command.h"
#include "support/case_name.h"
#include "support/command_fixture.h"

#include <gtest/gtest.h>
#include <map>
#include <set>
#include <sstream>

namespace brivo::cli {
namespace {

class LessonCommand : public test::CommandFixture {
protected:
    int run(std::vector<std::string> args)
    {
        return runCommand(
            [this](const std::vector<std::string>& a, CommandEnvironment& env) {
                return runLessonCommand(a, env, dir_ / "historique.sqlite");
            },
            std::move(args));
    }
};

// A fresh course at lesson 2: its session opens with M five times; a
// perfect copy of it moves the course to lesson 3, which --status and the
// next session's JSON then show.
TEST_F(LessonCommand, GoodCheckMovesAFreshCourseOnAndTheJsonSaysSo)
{
    ASSERT_EQ(run({"--groups", "24", "--seed", "5"}), kExitOk);
    const std::string session = out_.str();
    EXPECT_EQ(session.substr(0, 10), "M M M M M ");
    test::writeBytes(dir_ / "sent.txt", session);
    test::writeBytes(dir_ / "copy.txt", session);
    ASSERT_EQ(run({"--record", "sent.txt", "copy.txt", "--json"}), kExitOk) << err_.str();
    EXPECT_EQ(out_.str(), "{\"score\": 100.0, \"lesson\": 2, \"next_lesson\": 3, \"newest\": \"U\"}\n");
    ASSERT_EQ(run({"--status", "--json"}), kExitOk);
    EXPECT_EQ(out_.str(), "{\"order\": \"KMURESNAPTLWI.JZ=FOY,VG5/Q92H38B?47C1D60X+*\", \"lesson\": 3, "
                          "\"characters\": \"KMU\", \"newest\": \"U\", \"error_rates\": {\"K\": 0.4250, \"M\": "
                          "0.4250, \"U\": 0.5000}, \"weights\": {\"K\": 2.7000, \"M\": 2.7000, \"U\": 4.5000}, "
                          "\"advance\": {\"last_score\": 0.0, \"last_sent\": 0, \"newest_samples\": 0, "
                          "\"newest_right\": 0}}\n");
    ASSERT_EQ(run({"--json", "--groups", "1", "--group-size", "2", "--seed", "1"}), kExitOk);
    EXPECT_TRUE(out_.str().starts_with("{\"lesson\": 3, \"characters\": \"KMU\", \"text\": \"U U U")) << out_.str();
    // The same copy on a course of two characters passes its last lesson:
    // the course says it is done.
    test::writeBytes(dir_ / "km.txt", "KM");
    ASSERT_EQ(run({"--order", "km.txt", "--record", "sent.txt", "copy.txt"}), kExitOk) << err_.str();
    EXPECT_NE(out_.str().find("vous avez terminé le cours, et lisez ses 2 caractères"), std::string::npos)
        << out_.str();
}

// Without --seed, sessions an hour apart on one day do not all open alike.
TEST_F(LessonCommand, ClockSeedsOfOneDayGiveDifferentSessions)
{
    test::writeBytes(dir_ / "sent.txt", "KMKMK");
    test::writeBytes(dir_ / "copy.txt", "K");
    ASSERT_EQ(run({"--record", "sent.txt", "copy.txt"}), kExitOk) << err_.str();
    std::set<char> firsts;
    for (int hour = 0; hour < 24; ++hour) {
        clock_ = 1796601600 + hour * 3600;
        ASSERT_EQ(run({"--groups", "1"}), kExitOk);
        firsts.insert(out_.str().front());
    }
    EXPECT_EQ(firsts, (std::set<char>{'K', 'M'}));
}

// A list in Windows-1252: decoded, drawn whole before any item comes back,
// the item the table cannot key skipped and counted.
TEST_F(LessonCommand, PersonalListIsDecodedDrawnWithoutRepeatsAndItsUnkeyableItemsCounted)
{
    test::writeBytes(dir_ / "short.txt", "caf\xE9\r\n  f5abc/p \r\n\xA7\r\n");
    ASSERT_EQ(run({"--material", "list", "--list", "short.txt", "--groups", "6", "--seed", "3"}), kExitOk);
    std::istringstream drawn(out_.str());
    std::map<std::string, int> counts;
    for (std::string item; drawn >> item;)
        ++counts[item];
    EXPECT_EQ(counts, (std::map<std::string, int>{{"CAFÉ", 3}, {"F5ABC/P", 3}})) << out_.str();
    EXPECT_EQ(err_.str(), "brivo-lesson : 1 élément de la liste ne peut pas être transmis avec la table du code "
                          "morse : il est laissé de côté.\n");
    ASSERT_EQ(run({"--material", "list", "--list", "short.txt", "--groups", "2", "--json", "--seed", "3"}), kExitOk);
    EXPECT_TRUE(out_.str().starts_with("{\"material\": \"list\", \"lesson\": null, \"text\": \"")) << out_.str();
}

struct StatusCase {
    std::string name;
    std::vector<std::string> args;
    int status;
    std::string error;
};

class LessonCommandStatus : public LessonCommand, public testing::WithParamInterface<StatusCase> {};

TEST_P(LessonCommandStatus, ExitStatusAndMessage)
{
    test::writeBytes(dir_ / "twice.txt", "K M K");
    test::writeBytes(dir_ / "own.txt", "E T");
    test::writeBytes(dir_ / "empty.txt", " \r\n\r\n");
    EXPECT_EQ(run(GetParam().args), GetParam().status);
    EXPECT_NE(err_.str().find(GetParam().error), std::string::npos) << err_.str();
}

INSTANTIATE_TEST_SUITE_P(
    , LessonCommandStatus,
    testing::Values(
        StatusCase{"ownOrder", {"--order", "own.txt", "--groups", "1"}, kExitOk, ""},
        StatusCase{"orderWithARepeat", {"--order", "twice.txt"}, kExitRefused, "« K » y est deux fois"},
        StatusCase{"orderMissing", {"--order", "none.txt"}, kExitFileError, "none.txt"},
        StatusCase{"lessonPastTheOrder", {"--lesson", "44"}, kExitRefused, "de 2 à 43"},
        StatusCase{"badGroupSize", {"--group-size", "9"}, kExitRefused, "2 à 8, ou random"},
        StatusCase{
            "effectiveAboveTheCharacters", {"--wpm", "15", "--effective", "18"}, kExitRefused, "ne peut pas dépasser"},
        StatusCase{"recordWithoutCopy", {"--record", "sent.txt"}, kExitRefused, "deux fichiers"},
        StatusCase{"historyNotADatabase",
                   {"--history", "own.txt", "--record", "own.txt", "own.txt"},
                   kExitFileError,
                   "historique"},
        StatusCase{"unknownOption", {"--loud"}, kExitRefused, "option inconnue « --loud »"},
        StatusCase{"wordsOfAFreshCourse", {"--material", "words", "--groups", "3"}, kExitOk, ""},
        StatusCase{
            "unknownMaterial", {"--material", "songs"}, kExitRefused, "groups, words, calls, abbrev, qso ou list"},
        StatusCase{"unknownLanguage", {"--material", "qso", "--lang", "de"}, kExitRefused, "fr ou en"},
        StatusCase{"listWithoutItsMaterial", {"--list", "own.txt"}, kExitRefused, "--list va avec"},
        StatusCase{"emptyList", {"--material", "list", "--list", "empty.txt"}, kExitFileError, "vide"},
        StatusCase{"listMissing", {"--material", "list", "--list", "none.txt"}, kExitFileError, "none.txt"},
        StatusCase{"qsoBeforeItsCharacters",
                   {"--material", "qso", "--lesson", "5"},
                   kExitFileError,
                   "Aucun QSO avec ces 5 caractères : K M U R E"}),
    test::CaseName());

} // namespace
} // namespace brivo::cli
