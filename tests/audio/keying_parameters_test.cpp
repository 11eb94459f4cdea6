#include "audio/keying_parameters.h"

#include <gtest/gtest.h>

namespace brivo {
namespace {

struct UnitCase {
    int rateIndex;
    int speed;
    ReferenceWord word;
    std::int32_t samplesPerUnit;
};

class SamplesPerUnit : public testing::TestWithParam<UnitCase> {};

TEST_P(SamplesPerUnit, TruncatesTheExtendedPrecisionProduct)
{
    KeyingParameters parameters;
    parameters.sampleRateIndex = GetParam().rateIndex;
    parameters.speedPosition = GetParam().speed;
    parameters.referenceWord = GetParam().word;
    const int rate = sampleRateForIndex(parameters.sampleRateIndex, 0);
    EXPECT_EQ(deriveKeyingValues(parameters, rate).samplesPerUnit, GetParam().samplesPerUnit);
}

constexpr auto P = ReferenceWord::Paris;
constexpr auto C = ReferenceWord::Codex;

INSTANTIATE_TEST_SUITE_P(WorkedTable, SamplesPerUnit,
                         testing::Values(UnitCase{0, 72, P, 400}, UnitCase{0, 72, C, 333}, UnitCase{0, 20, P, 1439},
                                         UnitCase{0, 200, C, 119}, UnitCase{1, 72, P, 800}, UnitCase{1, 72, C, 666},
                                         UnitCase{1, 20, P, 2879}, UnitCase{1, 200, C, 239}, UnitCase{2, 72, P, 1102},
                                         UnitCase{2, 72, C, 918}, UnitCase{2, 20, P, 3968}, UnitCase{2, 200, C, 330},
                                         UnitCase{3, 72, P, 1600}, UnitCase{3, 72, C, 1333}, UnitCase{3, 20, P, 5759},
                                         UnitCase{3, 200, C, 479}, UnitCase{4, 72, P, 2205}, UnitCase{4, 72, C, 1837},
                                         UnitCase{4, 20, P, 7937}, UnitCase{4, 200, C, 661}));

} // namespace
} // namespace brivo
