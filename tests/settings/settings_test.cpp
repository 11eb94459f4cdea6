#include "common/atomic_file.h"
#include "settings/settings.h"
#include "settings/settings_file.h"
#include "support/case_name.h"
#include "support/golden.h"
#include "support/temp_dir.h"

#include <csignal>
#include <gtest/gtest.h>
#include <random>
#include <sys/wait.h>
#include <unistd.h>

namespace brivo::settings {
namespace {

TEST(RegistryFile, KeepsEveryTypeEscapeUnknownValueAndComment)
{
    const std::string text = "[HKEY_CURRENT_USER\\Software\\ZORVANE\\BRIVO]\r\n"
                             "; gardé\n"
                             "\"Frequence\"=dword:00000063\n"
                             "\"Couleur_du_texte\"=dword:80000008\n"
                             "\"Serie_1\"=\"a\\\\b\\\"c\\r\\n\\t\\0d\xC3\xA9\"\n"
                             "\"Chemin\"=expand:\"%HOME%\"\n"
                             "\"Inconnu\"=dword:ffffffff\n"
                             "pas une ligne\n"
                             "\"Coupe\"=\"sans fin\n"
                             "\"Hex\"=dword:12345678Z\n"
                             "\"Frequence\"=dword:00000010\n";
    const RegistryFile file = parseRegistryFile(text);
    ASSERT_EQ(file.entries.size(), 5U);
    EXPECT_EQ(file.find("Frequence")->integer, 16) << "the later line decides";
    EXPECT_EQ(file.find("Couleur_du_texte")->integer, static_cast<std::int32_t>(0x80000008));
    EXPECT_EQ(file.find("Serie_1")->text, std::string("a\\b\"c\r\n\t\0d\xC3\xA9", 12));
    EXPECT_EQ(file.find("Chemin")->type, Value::Type::ExpandableText);
    EXPECT_EQ(file.find("Inconnu")->integer, -1);
    const RegistryFile again = parseRegistryFile(writeRegistryFile(file, valueNames()));
    EXPECT_EQ(again.entries.size(), file.entries.size());
    for (const Entry& entry : file.entries)
        EXPECT_EQ(*again.find(entry.name), entry.value) << entry.name;
    EXPECT_EQ(again.comments, std::vector<std::string>{"; gardé"});
}

// The whole file at the first-start values: the 42 values in the order of
// the table, then the reception conditions, then what another program added.
TEST(Settings, FirstStartFileMatchesTheGoldenFile)
{
    RegistryFile file;
    file.set("Autre", Value::ofInteger(1));
    save(Settings{}, file);
    EXPECT_EQ(valueNames().size(), 48U);
    test::compareWithGolden("BRIVO.reg", writeRegistryFile(file, valueNames()));
}

struct LineCase {
    const char* name;
    std::string line;  // one line of a hand-edited file, CR LF or LF
    int tone;          // "Frequence" once loaded
    bool reported;     // a wrong-type message for it
    std::string saved; // what the next save writes for it ("" if not kept)
};

class SettingsLines : public testing::TestWithParam<LineCase> {};

// Each line loads, or is reported once; a line of another program stays
// verbatim at the next save, and a broken line of ours is written anew.
TEST_P(SettingsLines, LoadReportAndKeep)
{
    const LineCase& c = GetParam();
    RegistryFile file = parseRegistryFile(std::string(kHeader) + "\r\n" + c.line + "\"Souffle\"=dword:00000007\r\n");
    Settings settings;
    const std::vector<std::string> errors = load(file, {1280, 1024}, settings);
    EXPECT_EQ(settings.tone, c.tone);
    EXPECT_EQ(settings.noise, 7) << "the rest still loads";
    EXPECT_EQ(errors.size(), c.reported ? 1U : 0U);
    save(settings, file);
    const std::string written = writeRegistryFile(file, valueNames());
    EXPECT_EQ(written.find("\"Frequence\"=dword:"), written.rfind("\"Frequence\"=dword:")) << "written once";
    if (!c.saved.empty()) {
        EXPECT_NE(written.find(c.saved + "\n"), std::string::npos) << written;
    }
}

INSTANTIATE_TEST_SUITE_P(
    , SettingsLines,
    testing::Values(LineCase{"blanksAroundTheEqualSign", "\"Frequence\" = dword:00000078\r\n", 120, false, ""},
                    LineCase{"upperCaseTypeWord", "\"Frequence\"=DWORD:00000078\n", 120, false, ""},
                    LineCase{"hexPrefix", "\"Frequence\"=dword:0x78\n", 120, false, ""},
                    LineCase{"nameInAnotherCase", "\"FREQUENCE\"=dword:00000078\r\n", 120, false,
                             "\"Frequence\"=dword:00000078"},
                    LineCase{"decimalWithoutTypeIsReported", "\"Frequence\"=10\n", 99, true, ""},
                    LineCase{"emptyTypeIsReported", "\"Frequence\"=dword:\r\n", 99, true, ""},
                    LineCase{"foreignLineIsKept", "\"Zz\"=hex:01,02\r\n", 99, false, "\"Zz\"=hex:01,02"},
                    LineCase{"strayTextIsKept", "pas une ligne\n", 99, false, "pas une ligne"}),
    test::CaseName());

struct LoadCase {
    const char* name;
    const char* value;
    std::int32_t stored;
    std::function<int(const Settings&)> read;
    int expected;
};

class LoadRules : public testing::TestWithParam<LoadCase> {};

TEST_P(LoadRules, TakeClampOrIgnore)
{
    RegistryFile file;
    file.set(GetParam().value, Value::ofInteger(GetParam().stored));
    Settings settings;
    EXPECT_TRUE(load(file, {1280, 1024}, settings).empty());
    EXPECT_EQ(GetParam().read(settings), GetParam().expected);
}

const auto left = [](const Settings& s) { return s.left.value_or(12345); };
const auto top = [](const Settings& s) { return s.top.value_or(12345); };

INSTANTIATE_TEST_SUITE_P(
    , LoadRules,
    testing::Values(
        LoadCase{"LeftAtItsLowestIsTaken", "X_origine", -200, left, -200},
        LoadCase{"LeftBelowGivesZero", "X_origine", -201, left, 0},
        LoadCase{"LeftPastTheScreenIsClamped", "X_origine", 5000, left, 1240},
        LoadCase{"TopAtItsLowestIsTaken", "Y_origine", -20, top, -20},
        LoadCase{"TopBelowGivesZero", "Y_origine", -21, top, 0},
        LoadCase{"ToneAboveIsIgnored", "Frequence", 241, [](auto& s) { return s.tone; }, 99},
        LoadCase{"ToneTopIsTaken", "Frequence", 240, [](auto& s) { return s.tone; }, 240},
        LoadCase{"SpeedBelowIsIgnored", "Vitesse", 19, [](auto& s) { return s.speed; }, 72},
        LoadCase{"GroupSizeZeroIsIgnored", "Lettres_par_groupe", 0, [](auto& s) { return s.groupSize; }, 5},
        LoadCase{"RateIndexFiveIsIgnored", "Frequence_Echantillonnage", 5, [](auto& s) { return s.rateIndex; }, 2},
        LoadCase{"NoLetterGroupsIsTaken", "Nombre_de_lettres", 0, [](auto& s) { return s.letterGroups; }, 0},
        LoadCase{"FilterThreeIsIgnored", "Type_Sauver_Data", 3, [](auto& s) { return s.saveFilter; }, 1},
        LoadCase{"AnyNonZeroWordIsCodex", "Mot_de_reference", -1, [](auto& s) { return s.referenceWord; }, 1},
        LoadCase{"AnyNonZeroTickIsTicked", "Selec_Serie_9", 7, [](auto& s) { return int(s.ticked[8]); }, 1},
        LoadCase{"ColourIsTakenUnchecked", "Couleur_du_fond", 0x12345678,
                 [](auto& s) { return int(s.backgroundColour); }, 0x12345678}),
    test::CaseName());

// A hand-edited value of the wrong type costs that value alone.
TEST(Settings, MistypedValueIsNamedAndTheRestStillLoads)
{
    RegistryFile file;
    file.set("Frequence", Value::ofText("99"));
    file.set("Serie_2", Value::ofInteger(3));
    file.set("Zone_d_edition", Value{Value::Type::ExpandableText, 0, std::string("CQ\r\nDE\0fin", 10)});
    file.set("Mot_de_reference", Value::ofInteger(1));
    Settings settings;
    const auto errors = load(file, {1280, 1024}, settings);
    EXPECT_EQ(errors, (std::vector<std::string>{"Type de données incorrect pour 'Frequence'",
                                                "Type de données incorrect pour 'Serie_2'"}));
    EXPECT_EQ(settings.tone, 99);
    EXPECT_EQ(settings.series[1], "HJKLM");
    EXPECT_EQ(settings.zoneText, std::string("CQ\r\nDE\0fin", 10)) << "the zone keeps what was stored";
    EXPECT_EQ(settings.referenceWord, 1);
}

// A process killed at any moment of a save leaves the old file or the new
// one, whole.
TEST(AtomicFile, KillDuringSavesLeavesAWholeFile)
{
    test::TempDir dir;
    const auto path = dir / "BRIVO.reg";
    const std::string first(300000, 'A');
    const std::string second(200000, 'B');
    ASSERT_TRUE(writeFileAtomically(path, first));
    std::mt19937 random(7);
    for (int round = 0; round < 30; ++round) {
        const pid_t child = fork();
        if (child == 0) {
            for (int i = 0;; ++i)
                (void)writeFileAtomically(path, i % 2 == 0 ? second : first);
        }
        usleep(static_cast<useconds_t>(random() % 20000));
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
        const std::string now = test::readBytes(path);
        ASSERT_TRUE(now == first || now == second) << "round " << round << ": " << now.size() << " bytes";
    }
}

} // namespace
} // namespace brivo::settings
