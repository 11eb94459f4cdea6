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

TEST(RandomGenerator, SeedKeepsOnlyTheLowThirtyTwoBitsOfTheTime)
{
    RandomGenerator random;
    random.seed(0x1'2345'6789LL);
    EXPECT_EQ(random.state(), 0x23456789ULL);
    random.seed(1);
    EXPECT_EQ(random.next(), 346U);
}

} // namespace
} // namespace brivo
