#include "common/random_generator.h"

#include <gtest/gtest.h>

namespace brivo {
namespace {

TEST(RandomGenerator, SeedOneGivesTheDocumentedSequence)
{
    RandomGenerator random(1);
    EXPECT_EQ(random.next(), 346U);
    EXPECT_EQ(random.next(), 13854878U);
    EXPECT_EQ(random.next(), 1621890440U);
}

TEST(RandomGenerator, UsesTheFullSixtyFourBitMultiplier)
{
    // With the 32-bit constant 0x015A4E35 the high word would differ.
    RandomGenerator random(0x100000000ULL);
    random.next();
    EXPECT_EQ(random.state(), 0x100000000ULL * RandomGenerator::kMultiplier + 1);
    EXPECT_EQ(random.state(), 0x00004E3500000001ULL);
}

TEST(RandomGenerator, SeedKeepsOnlyTheLowThirtyTwoBitsOfTheTime)
{
    RandomGenerator random;
    random.seed(0x1'2345'6789LL);
    EXPECT_EQ(random.state(), 0x23456789ULL);
    random.seed(1);
    EXPECT_EQ(random.next(), 346U);
}

TEST(RandomGenerator, ResultsNeverUseTheTopBit)
{
    RandomGenerator random(0xFFFFFFFFFFFFFFFFULL);
    for (int i = 0; i < 10000; ++i)
        ASSERT_LE(random.next(), 0x7FFFFFFFU);
}

TEST(RandomGenerator, BelowReducesOneDrawModuloTheSize)
{
    RandomGenerator a(1);
    RandomGenerator b(1);
    EXPECT_EQ(a.below(40), b.next() % 40);
    EXPECT_EQ(a.state(), b.state());
}

} // namespace
} // namespace brivo
