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
    test::compareWithGolden("BRIVO.reg", writeRegistryFile(file, valueNames()));
}

struct LineCase {
    const char* name;
    std::string line;  // one line of a hand-edited file, CR LF or LF
    bool reported;     // a wrong-type message for it
    std::string saved; // what the next save writes for it
};

class SettingsLines : public testing::TestWithParam<LineCase> {};

// Each line loads (taken, clamped, or ignored for the first-start value),
// or is reported once; the next save writes the value as loaded, once. A
// line of another program stays verbatim.
TEST_P(SettingsLines, LoadReportAndKeep)
{
    const LineCase& c = GetParam();
    RegistryFile file = parseRegistryFile(std::string(kHeader) + "\r\n" + c.line + "\"Souffle\"=dword:00000007\r\n");
    Settings settings;
    const std::vector<std::string> errors = load(file, {1280, 1024}, settings);
    EXPECT_EQ(settings.noise, 7) << "the rest still loads";
    EXPECT_EQ(errors.size(), c.reported ? 1U : 0U);
    save(settings, file);
    const std::string written = writeRegistryFile(file, valueNames());
    EXPECT_NE(written.find(c.saved + "\n"), std::string::npos) << written;
    const std::string name = c.saved.substr(0, c.saved.find('='));
    EXPECT_EQ(written.find(name), written.rfind(name)) << "written once";
}

LineCase tone(const char* name, const std::string& line, bool reported, int loaded)
{
    char saved[32];
    std::snprintf(saved, sizeof saved, "\"Frequence\"=dword:%08x", loaded);
    return {name, line, reported, saved};
}

INSTANTIATE_TEST_SUITE_P(
    , SettingsLines,
    testing::Values(
        tone("blanksAroundTheEqualSign", "\"Frequence\" = dword:00000078\r\n", false, 120),
        tone("upperCaseTypeWord", "\"Frequence\"=DWORD:00000078\n", false, 120),
        tone("hexPrefix", "\"Frequence\"=dword:0x78\n", false, 120),
        tone("nameInAnotherCase", "\"FREQUENCE\"=dword:00000078\r\n", false, 120),
        tone("nameTwiceInTwoCasesTheLaterDecides", "\"Frequence\"=dword:00000010\n\"FREQUENCE\"=dword:00000078\n",
             false, 120),
        tone("decimalWithoutTypeIsReported", "\"Frequence\"=10\n", true, 99),
        tone("emptyTypeIsReported", "\"Frequence\"=dword:\r\n", true, 99),
        tone("toneAboveIsIgnored", "\"Frequence\"=dword:000000f1\n", false, 99),
        tone("toneTopIsTaken", "\"Frequence\"=dword:000000f0\n", false, 240),
        LineCase{"foreignLineIsKept", "\"Zz\"=hex:01,02\r\n", false, "\"Zz\"=hex:01,02"},
        LineCase{"strayTextIsKept", "pas une ligne\n", false, "pas une ligne"},
        LineCase{"leftAtItsLowestIsTaken", "\"X_origine\"=dword:ffffff38\n", false, "\"X_origine\"=dword:ffffff38"},
        LineCase{"leftBelowGivesZero", "\"X_origine\"=dword:ffffff37\n", false, "\"X_origine\"=dword:00000000"},
        LineCase{"leftPastTheScreenIsClamped", "\"X_origine\"=dword:00001388\n", false, "\"X_origine\"=dword:000004d8"},
        LineCase{"topAtItsLowestIsTaken", "\"Y_origine\"=dword:ffffffec\n", false, "\"Y_origine\"=dword:ffffffec"},
        LineCase{"topBelowGivesZero", "\"Y_origine\"=dword:ffffffeb\n", false, "\"Y_origine\"=dword:00000000"},
        LineCase{"speedBelowIsIgnored", "\"Vitesse\"=dword:00000013\n", false, "\"Vitesse\"=dword:00000048"},
        LineCase{"groupSizeZeroIsIgnored", "\"Lettres_par_groupe\"=dword:00000000\n", false,
                 "\"Lettres_par_groupe\"=dword:00000005"},
        LineCase{"rateIndexFiveIsIgnored", "\"Frequence_Echantillonnage\"=dword:00000005\n", false,
                 "\"Frequence_Echantillonnage\"=dword:00000002"},
        LineCase{"noLetterGroupsIsTaken", "\"Nombre_de_lettres\"=dword:00000000\n", false,
                 "\"Nombre_de_lettres\"=dword:00000000"},
        LineCase{"filterThreeIsIgnored", "\"Type_Sauver_Data\"=dword:00000003\n", false,
                 "\"Type_Sauver_Data\"=dword:00000001"},
        LineCase{"anyNonZeroWordIsCodex", "\"Mot_de_reference\"=dword:ffffffff\n", false,
                 "\"Mot_de_reference\"=dword:00000001"},
        LineCase{"anyNonZeroTickIsTicked", "\"Selec_Serie_9\"=dword:00000007\n", false,
                 "\"Selec_Serie_9\"=dword:00000001"},
        LineCase{"colourIsTakenUnchecked", "\"Couleur_du_fond\"=dword:12345678\n", false,
                 "\"Couleur_du_fond\"=dword:12345678"}),
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
