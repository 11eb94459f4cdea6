#include "cli/render_command.h"
#include "morse/default_definitions.h"
#include "support/case_name.h"
#include "support/command_fixture.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace brivo::cli {
namespace {

// Runs the command in a temporary folder, as the current directory.
class RenderCommand : public test::CommandFixture {
protected:
    void SetUp() override
    {
        previous_ = std::filesystem::current_path();
        std::filesystem::current_path(dir_.path());
    }
    void TearDown() override { std::filesystem::current_path(previous_); }

    int run(const std::vector<std::string>& args, const std::string& input = {})
    {
        return runCommand(runRenderCommand, args, input);
    }

    std::string file(const std::string& name) const { return test::readBytes(dir_ / name); }

    std::filesystem::path previous_;
};

// The live form has no lead-in, tail, start or end.
TEST_F(RenderCommand, DefaultsAndTheLiveForm)
{
    EXPECT_EQ(run({"E"}), kExitOk);
    EXPECT_EQ(file("Morse.WAV").size(), 17690U);
    EXPECT_NE(out_.str().find("Morse.WAV"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(dir_ / "Codmorse.INI")) << "the renderer never creates the table";
    ASSERT_EQ(run({"--live", "--start", "VVV", "--end", "+", "E"}), kExitOk);
    EXPECT_EQ(file("Morse.WAV").size(), 58U + 2U * 4408U);
}

// A device or a pipe (-o /dev/stdout) is written in place, with no seek
// back: the render into a named pipe reaches its reader whole, the pipe
// stays a pipe and the summary goes with the messages. An export, written
// beside its target and renamed, refuses a pipe instead of replacing it.
TEST_F(RenderCommand, PipeIsWrittenInPlace)
{
    const std::filesystem::path pipe = dir_ / "pipe.wav";
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    const int reader = ::open(pipe.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    EXPECT_EQ(run({"-o", "pipe.wav", "E"}), kExitOk) << err_.str();
    std::string received(70000, '\0');
    const ssize_t size = ::read(reader, received.data(), received.size());
    ::close(reader);
    EXPECT_TRUE(std::filesystem::is_fifo(pipe));
    EXPECT_EQ(size, 17690);
    EXPECT_TRUE(received.starts_with("RIFF") && out_.str().empty());
    ASSERT_EQ(mkfifo((dir_ / "pipe.flac").c_str(), 0600), 0);
    EXPECT_EQ(run({"-o", "pipe.flac", "E"}), kExitFileError);
    EXPECT_TRUE(std::filesystem::is_fifo(dir_ / "pipe.flac"));
}

struct SameBytesCase {
    const char* name;
    std::vector<std::string> first;
    std::vector<std::string> second;
    std::string input; // on the standard input, and in input.txt
};

class RenderCommandEquivalence : public RenderCommand, public testing::WithParamInterface<SameBytesCase> {};

TEST_P(RenderCommandEquivalence, GiveTheSameFile)
{
    test::writeBytes(dir_ / "input.txt", GetParam().input);
    auto first = GetParam().first;
    auto second = GetParam().second;
    first.insert(first.end(), {"--seed", "3", "--noise", "40", "-o", "a.wav"});
    second.insert(second.end(), {"--seed", "3", "--noise", "40", "-o", "b.wav"});
    ASSERT_EQ(run(first, GetParam().input), kExitOk) << err_.str();
    ASSERT_EQ(run(second, GetParam().input), kExitOk) << err_.str();
    EXPECT_TRUE(file("a.wav") == file("b.wav"));
}

INSTANTIATE_TEST_SUITE_P(
    , RenderCommandEquivalence,
    testing::Values(SameBytesCase{"FrequencyAlias", {"--frequency", "1000", "E"}, {"--tone", "140", "E"}, {}},
                    SameBytesCase{"WpmAlias", {"--wpm", "12,5", "E"}, {"--speed=75", "E"}, {}},
                    SameBytesCase{"WordsAreJoinedByBlanks", {"CQ", "DE", "F6"}, {"CQ DE F6"}, {}},
                    SameBytesCase{"StandardInput", {}, {"CQ"}, "CQ"},
                    SameBytesCase{"Windows1252Input", {}, {"\xC3\xA9t\xC3\xA9"}, "\xE9t\xE9"},
                    SameBytesCase{"CrLfFileAndLineFeed", {"--input", "input.txt"}, {"A\nB"}, "A\r\nB"},
                    SameBytesCase{
                        "StartAndEndAreJoinedToTheText", {"--start", "VVV", "--end", "+", "E"}, {"VVVE+"}, {}},
                    SameBytesCase{"StartIsReadLikeTheText", {"--start", "\xE9", "E"}, {"--start", "\xC3\xA9", "E"}, {}},
                    SameBytesCase{"WordIsCaseInsensitive", {"--word", "codex", "E"}, {"--word", "CODEX", "E"}, {}}),
    test::CaseName());

TEST_F(RenderCommand, TableFileIsUsedWhenPresentInTheCurrentFolder)
{
    test::writeBytes(dir_ / "Codmorse.INI", "\"E\"=\"-\"\r\n");
    ASSERT_EQ(run({"-o", "mine.wav", "E"}), kExitOk);
    ASSERT_EQ(run({"-o", "t.wav", "--table", "Codmorse.INI", "E"}), kExitOk);
    std::filesystem::remove(dir_ / "Codmorse.INI");
    ASSERT_EQ(run({"-o", "builtin.wav", "T"}), kExitOk);
    EXPECT_TRUE(file("mine.wav") == file("builtin.wav"));
    EXPECT_TRUE(file("t.wav") == file("builtin.wav"));
}

struct RefusalCase {
    const char* name;
    std::vector<std::string> args;
    int status;
    std::string messagePart;
};

class RenderCommandRefusal : public RenderCommand, public testing::WithParamInterface<RefusalCase> {};

TEST_P(RenderCommandRefusal, ExplainsAndLeavesNoFile)
{
    EXPECT_EQ(run(GetParam().args), GetParam().status);
    EXPECT_NE(err_.str().find(GetParam().messagePart), std::string::npos) << err_.str();
    EXPECT_TRUE(std::filesystem::is_empty(dir_.path()));
}

INSTANTIATE_TEST_SUITE_P(
    , RenderCommandRefusal,
    testing::Values(
        RefusalCase{"ToneAboveRange", {"--tone", "241", "E"}, kExitRefused, "--tone attend un entier de 0 à 240"},
        RefusalCase{"SignalNotANumber", {"--signal", "fort", "E"}, kExitRefused, "--signal"},
        RefusalCase{"NoiseNegative", {"--noise=-1", "E"}, kExitRefused, "--noise"},
        RefusalCase{"SpeedBelowRange", {"--speed", "19", "E"}, kExitRefused, "de 20 à 200"},
        RefusalCase{"SpacingZero", {"--spacing", "0", "E"}, kExitRefused, "--spacing"},
        RefusalCase{"UnknownRate", {"--rate", "44000", "E"}, kExitRefused, "22050, 24000, 44100 ou 48000"},
        RefusalCase{"UnknownWord", {"--word", "MORSE", "E"}, kExitRefused, "PARIS ou CODEX"},
        RefusalCase{"OpusAtTheDefaultRate",
                    {"-o", "l.opus", "E"},
                    kExitRefused,
                    "Opus n'accepte que 8000, 16000, 24000 et 48000 Hz : 11025 Hz"},
        RefusalCase{"FormatAgainstTheExtension",
                    {"--format", "mp3", "-o", "x.wav", "E"},
                    kExitRefused,
                    "--format MP3 contredit l'extension « .wav » de « x.wav »"},
        RefusalCase{"FormatAgainstTheDefaultName", {"--format", "flac", "E"}, kExitRefused, "« .WAV »"},
        RefusalCase{"Mp3At4000", {"--rate", "4000", "-o", "l.mp3", "E"}, kExitRefused, "8000 Hz au moins"},
        RefusalCase{"UpperCaseExtensionIsKnown", {"--format", "wav", "-o", "l.MP3", "E"}, kExitRefused, "contredit"},
        RefusalCase{"UnknownFormat", {"--format", "aac", "E"}, kExitRefused, "wav, flac, mp3, ogg ou opus"},
        RefusalCase{"QualityEleven", {"--quality", "11", "E"}, kExitRefused, "de 0 à 10"},
        RefusalCase{"SplitBothWays",
                    {"--split-lines", "--split-minutes", "2", "-o", "l.mp3", "E"},
                    kExitRefused,
                    "ne vont pas ensemble"},
        RefusalCase{"SplitLongerThanTheText",
                    {"--split-minutes", "2", "-o", "l.mp3", "E"},
                    kExitRefused,
                    "ne donne qu'une piste"},
        RefusalCase{"TitleNotUtf8", {"--title", "\xC3(", "-o", "l.mp3", "E"}, kExitRefused, "UTF-8"},
        RefusalCase{
            "LineBreakInTitle", {"--title", "A\nB", "-o", "l.mp3", "E"}, kExitRefused, "une étiquette contient"},
        RefusalCase{"LineBreakInName", {"-o", "a\nb.mp3", "E"}, kExitRefused, "le nom du fichier contient"},
        RefusalCase{"FrequencyOffStep", {"--frequency", "801", "E"}, kExitRefused, "--frequency"},
        RefusalCase{"WpmNotOnAPosition", {"--wpm", "12.1", "E"}, kExitRefused, "--wpm"},
        RefusalCase{"WpmHuge", {"--wpm", "1771777777777777770", "E"}, kExitRefused, "--wpm"},
        RefusalCase{"SeedTooLarge", {"--seed", "4294967296", "E"}, kExitRefused, "--seed"},
        RefusalCase{"StartTooLong", {"--start", "ABCDEF", "E"}, kExitRefused, "au plus 5"},
        RefusalCase{"MissingValue", {"E", "--tone"}, kExitRefused, "--tone attend une valeur"},
        RefusalCase{"UnknownOption", {"--loud", "E"}, kExitRefused, "option inconnue « --loud »"},
        RefusalCase{"TextTwice", {"--input", "x.txt", "E"}, kExitRefused, "pas les deux"},
        RefusalCase{"EmptyText", {"--start", "VVV"}, kExitRefused, "aucun texte à convertir en son !"},
        RefusalCase{
            "MissingInput", {"--input", "absent.txt"}, kExitFileError, "absent.txt » : Fichier ou dossier introuvable"},
        RefusalCase{"MissingTable", {"--table", "absent.INI", "E"}, kExitFileError, "« absent.INI »"},
        RefusalCase{"OutputFolderMissing", {"-o", "none/Morse.WAV", "E"}, kExitFileError, "« none/Morse.WAV »"},
        RefusalCase{"EffectiveTooFast", {"--wpm", "20", "--effective-wpm", "20", "E"}, kExitRefused, "(20 mots/mn)"},
        RefusalCase{"EffectiveTooFastInCodex",
                    {"--word", "CODEX", "--wpm", "20", "--effective-wpm", "21", "E"},
                    kExitRefused,
                    "(20 mots/mn)"},
        RefusalCase{"KWithoutFading", {"--qsb-k", "3", "E"}, kExitRefused, "donnez aussi --qsb"},
        RefusalCase{"ArrlSpacing", {"--spacing", "2", "--effective-wpm", "5", "E"}, kExitRefused, "espacement de 1"},
        RefusalCase{"SnrWithNoise", {"--noise", "10", "--snr", "5", "E"}, kExitRefused, "mettez le souffle à 0"},
        RefusalCase{"SnrTooLow", {"--snr", "-16", "E"}, kExitRefused, "de -15 à +40 dB"},
        RefusalCase{"RiseTooShort", {"--rise", "0,5", "E"}, kExitRefused, "Temps de montée 0,5 refusé"},
        RefusalCase{"RiseTooLong", {"--rise", "16", "E"}, kExitRefused, "de 1 à 15 ms"},
        RefusalCase{"UnknownShape", {"--shape", "square", "E"}, kExitRefused, "blackman, cosine, linear ou hard"},
        RefusalCase{"FilterTooNarrow", {"--filter", "50", "E"}, kExitRefused, "de 100 à 2400 Hz"},
        RefusalCase{"FilterNotANumber", {"--filter", "narrow", "E"}, kExitRefused, "ou off"},
        RefusalCase{"UnknownFilterShape", {"--filter-shape", "bessel", "E"}, kExitRefused, "butterworth ou"},
        RefusalCase{"QsbBetweenRanges", {"--qsb", "5", "E"}, kExitRefused, "de 0,02 à 2 Hz, ou de 10 à 30 Hz"},
        RefusalCase{"NegativeK", {"--qsb", "1", "--qsb-k", "-1", "E"}, kExitRefused, "Facteur K"},
        RefusalCase{"TooManyImpulses", {"--qrn", "201", "E"}, kExitRefused, "de 0 à 200 par seconde"},
        RefusalCase{"TooManyCrashes", {"--crashes", "2", "E"}, kExitRefused, "de 0 à 1 par seconde"},
        RefusalCase{"TooManyStations", {"--qrm", "6", "E"}, kExitRefused, "de 0 à 5"},
        RefusalCase{"ChirpTooWide", {"--chirp", "-151", "E"}, kExitRefused, "de -150 à +150 Hz"},
        RefusalCase{"ChirpTooShort", {"--chirp", "50", "--chirp-tau", "4", "E"}, kExitRefused, "de 5 à 50 ms"}),
    test::CaseName());

// A rise that a dot cannot hold is shortened, and the user is told.
TEST_F(RenderCommand, ShortenedRiseIsSaid)
{
    ASSERT_EQ(run({"--wpm", "33", "--rise", "15", "E"}), kExitOk);
    EXPECT_NE(err_.str().find("temps de montée ramené à 14,5 ms à 33 mots/mn"), std::string::npos) << err_.str();
    ASSERT_EQ(run({"--wpm", "33", "--rise", "5", "E"}), kExitOk);
    EXPECT_EQ(err_.str().find("ramené"), std::string::npos);
}

} // namespace
} // namespace brivo::cli
