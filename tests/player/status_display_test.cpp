#include "player/status_display.h"

#include <gtest/gtest.h>

namespace brivo {
namespace {

TEST(StatusLine, TruncatesToTenthsWithAComma)
{
    EXPECT_EQ(status::positionText(1375, 5250), " : 1,3 / 5,2s");
    EXPECT_EQ(status::positionText(0, 99), " : 0,0 / 0,0s");
    EXPECT_EQ(status::positionText(61999, 61999), " : 61,9 / 61,9s");
}

TEST(StatusLine, AsksForThePositionOnlyWhenShown)
{
    struct Counting {
        mutable int asked = 0;
        std::uint32_t positionMs() const { return ++asked, 1375U; }
        std::uint32_t lengthMs() const { return ++asked, 5250U; }
    } player;
    EXPECT_EQ(status::statusLine(status::rowFor(PlayerMode::Playing), player), "Lecture : 1,3 / 5,2s");
    EXPECT_EQ(player.asked, 2);
    EXPECT_EQ(status::statusLine(status::rowFor(PlayerMode::Seeking), player), "Recherche");
    EXPECT_EQ(player.asked, 2);
}

} // namespace
} // namespace brivo
