// X's auto-repeat taken out of key event sequences: 'P' press, 'R'
// release, then the scan code and the server time.
#include "sending/key_repeat_filter.h"
#include "support/case_name.h"

#include <gtest/gtest.h>

namespace brivo::sending {
namespace {

struct RepeatCase {
    std::string name;
    std::vector<RawKeyEvent> raw;
    std::vector<RawKeyEvent> real;
};

RawKeyEvent press(std::uint32_t code, std::uint64_t ms)
{
    return {true, code, ms};
}
RawKeyEvent release(std::uint32_t code, std::uint64_t ms)
{
    return {false, code, ms};
}

class RepeatFilter : public testing::TestWithParam<RepeatCase> {};

TEST_P(RepeatFilter, LeavesOnlyRealChanges)
{
    KeyRepeatFilter filter;
    std::vector<RawKeyEvent> real;
    for (const RawKeyEvent& event : GetParam().raw) {
        const std::vector<RawKeyEvent> taken = filter.take(event);
        real.insert(real.end(), taken.begin(), taken.end());
    }
    const std::vector<RawKeyEvent> last = filter.flush();
    real.insert(real.end(), last.begin(), last.end());
    EXPECT_EQ(real, GetParam().real);
}

INSTANTIATE_TEST_SUITE_P(
    , RepeatFilter,
    testing::Values(RepeatCase{"tap", {press(65, 0), release(65, 60)}, {press(65, 0), release(65, 60)}},
                    // A 5 WPM dah held on Space (720 ms): repeats from 660 ms, one element.
                    RepeatCase{"heldDahIsOneElement",
                               {press(65, 0), release(65, 660), press(65, 660), release(65, 700), press(65, 700),
                                release(65, 720)},
                               {press(65, 0), release(65, 720)}},
                    // The same key released and pressed again a millisecond later.
                    RepeatCase{"quickSecondTap",
                               {press(65, 0), release(65, 60), press(65, 61), release(65, 120)},
                               {press(65, 0), release(65, 60), press(65, 61), release(65, 120)}},
                    RepeatCase{"otherKeyBetween",
                               {press(37, 0), release(37, 50), press(105, 50), release(105, 200)},
                               {press(37, 0), release(37, 50), press(105, 50), release(105, 200)}},
                    RepeatCase{"pressWhileDownIsARepeat",
                               {press(37, 0), press(37, 700), release(37, 800)},
                               {press(37, 0), release(37, 800)}}),
    test::CaseName());

} // namespace
} // namespace brivo::sending
