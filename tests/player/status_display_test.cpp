#include "player/status_display.h"
#include "support/case_name.h"

#include <gtest/gtest.h>

namespace brivo {
namespace {

struct ModeRow {
    const char* name;
    std::optional<PlayerMode> mode;
    std::string text;
    bool lire, pause, stop, position, releases;
};

class StatusRows : public testing::TestWithParam<ModeRow> {};

TEST_P(StatusRows, MatchTheModeTable)
{
    const ModeRow& expected = GetParam();
    const status::StatusRow row = status::rowFor(expected.mode);
    EXPECT_EQ(row.text, expected.text);
    EXPECT_EQ(row.lire, expected.lire);
    EXPECT_EQ(row.pause, expected.pause);
    EXPECT_EQ(row.stop, expected.stop);
    EXPECT_EQ(row.showsPosition, expected.position);
    EXPECT_EQ(row.releasesLive, expected.releases);
}

INSTANTIATE_TEST_SUITE_P(
    , StatusRows,
    testing::Values(ModeRow{"Closed", std::nullopt, "Générez un fichier", false, false, false, false, false},
                    ModeRow{"Open", PlayerMode::Open, "Générez un fichier", false, false, false, false, false},
                    ModeRow{"NotReady", PlayerMode::NotReady, "Non disponible", false, false, false, false, false},
                    ModeRow{"Stopped", PlayerMode::Stopped, "Arrété", true, false, false, true, true},
                    ModeRow{"Playing", PlayerMode::Playing, "Lecture", true, true, true, true, false},
                    ModeRow{"Recording", PlayerMode::Recording, "Enregistrement", false, false, true, false, false},
                    ModeRow{"Seeking", PlayerMode::Seeking, "Recherche", false, false, false, false, false},
                    ModeRow{"Paused", PlayerMode::Paused, "Pause", true, true, true, true, false}),
    test::CaseName());

TEST(StatusLine, TruncatesToTenthsWithAComma)
{
    EXPECT_EQ(status::positionText(1375, 5250), " : 1,3 / 5,2s");
    EXPECT_EQ(status::positionText(0, 99), " : 0,0 / 0,0s");
    EXPECT_EQ(status::positionText(61999, 61999), " : 61,9 / 61,9s");
}

TEST(StatusLine, AsksForThePositionOnlyWhenShown)
{
    struct Counting {
        int asked = 0;
        std::uint32_t positionMs() { return ++asked, 1375U; }
        std::uint32_t lengthMs() { return ++asked, 5250U; }
    } player;
    EXPECT_EQ(status::statusLine(status::rowFor(PlayerMode::Playing), player), "Lecture : 1,3 / 5,2s");
    EXPECT_EQ(player.asked, 2);
    EXPECT_EQ(status::statusLine(status::rowFor(PlayerMode::Seeking), player), "Recherche");
    EXPECT_EQ(player.asked, 2);
}

} // namespace
} // namespace brivo
