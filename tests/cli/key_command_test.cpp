// brivo-key on edge files given on its standard input: what it writes, its
// exit status, and the first wrong line named.
#include "cli/key_command.h"
#include "support/case_name.h"
#include "support/command_fixture.h"

#include <gtest/gtest.h>

namespace brivo::cli {
namespace {

struct KeyCase {
    std::string name;
    std::vector<std::string> args;
    std::string input;
    int status;
    std::string out; // the start of what is written
    std::string err;
};

class KeyCommand : public test::CommandFixture, public testing::WithParamInterface<KeyCase> {};

// A sound card whose pulses come back but one; at 8000 Hz, one without input.
Result<LatencyResult> fakeCard(int pulses, int rate)
{
    if (rate == 8000)
        return fail(ErrorCode::DeviceFailed, "Aucune entrée son n'est disponible : aucune");
    return LatencyResult{{12.5, 14, 0.5}, pulses, pulses - 1};
}

TEST_P(KeyCommand, WritesOrRefuses)
{
    const KeyCase& row = GetParam();
    const auto command = [](const std::vector<std::string>& args, CommandEnvironment& env) {
        return runKeyCommand(args, env, fakeCard);
    };
    EXPECT_EQ(runCommand(command, row.args, row.input), row.status);
    EXPECT_EQ(out_.str().substr(0, row.out.size()), row.out);
    EXPECT_EQ(err_.str().substr(0, row.err.size()), row.err);
}

// "K" (-.-) keyed by hand at 20 words per minute.
const std::string kKeyedK = "0 down\n180 up\n240 down\n300 up\n360 down\n540 up\n";

INSTANTIATE_TEST_SUITE_P(
    , KeyCommand,
    testing::Values(
        KeyCase{"decodes", {"decode", "-"}, kKeyedK, kExitOk, "K\n", ""},
        KeyCase{"decodesInJson",
                {"decode", "--json", "-"},
                kKeyedK,
                kExitOk,
                "{\"text\": \"K\", \"wpm\": 20.0, \"elements\": [{\"kind\": \"dah\", \"ms\": 180.000",
                ""},
        KeyCase{"keysASqueezeInIambicB",
                {"keyer", "--mode", "iambic-b", "--rate", "8000", "-"},
                "0 down dit\n10 down dah\n200 up dit\n200 up dah\n",
                kExitOk,
                "0 down key\n60 up key\n120 down key\n300 up key\n360 down key\n420 up key\n",
                ""},
        KeyCase{"reportsTheFist",
                {"report", "--target", "K", "-"},
                kKeyedK,
                kExitOk,
                "Décodé : K\nVitesse : 20,0 mots/mn\nNote : 100 sur 100\n",
                ""},
        KeyCase{"timeGoingBack",
                {"decode", "-"},
                "0 down\n50 up\n40 down\n",
                kExitRefused,
                "",
                "brivo-key : « - », ligne 3 : le temps recule (40 ms après 50 ms)."},
        KeyCase{"upWithoutDown",
                {"decode", "-"},
                "# hand\n\n0 up\n",
                kExitRefused,
                "",
                "brivo-key : « - », ligne 3 : « up » sans « down » avant lui pour key."},
        KeyCase{"unknownWord",
                {"decode", "-"},
                "0 press\n",
                kExitRefused,
                "",
                "brivo-key : « - », ligne 1 : « press » n'est ni down ni up."},
        KeyCase{"empty", {"decode", "-"}, "", kExitRefused, "", "brivo-key : « - », aucun front"},
        KeyCase{"binary",
                {"decode", "-"},
                std::string("0 down\n\0\x01", 9),
                kExitRefused,
                "",
                "brivo-key : « - », ce n'est pas un fichier texte"},
        KeyCase{"tooLarge",
                {"decode", "-"},
                std::string((16U << 20U) + 1, '\n'),
                kExitRefused,
                "",
                "brivo-key : l'entrée standard dépasse 16 Mo."},
        KeyCase{"timesTheLoopBack",
                {"latency", "--pulses", "10"},
                "",
                kExitOk,
                "Aller-retour de la manipulation au son revenu : 9 impulsions sur 10, 12,5 ms (médiane), 14,0 ms "
                "(99 %), écart 0,5 ms.\n",
                ""},
        KeyCase{"loopBackWithoutInput",
                {"latency", "--rate", "8000"},
                "",
                kExitFileError,
                "",
                "brivo-key : Aucune entrée son n'est disponible"},
        KeyCase{"tooFewPulses", {"latency", "--pulses", "5"}, "", kExitRefused, "", "brivo-key : --pulses attend"},
        KeyCase{
            "reportWithoutTarget", {"report", "-"}, kKeyedK, kExitRefused, "", "brivo-key : report attend --target"}),
    test::CaseName());

} // namespace
} // namespace brivo::cli
