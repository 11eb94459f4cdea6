#pragma once

#include "support/temp_dir.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>

namespace brivo::test {

// Compares `actual` with the file `name` of tests/data/golden. With
// BRIVO_REGENERATE_GOLDEN=1 in the environment, writes it instead.
inline void compareWithGolden(const std::string& name, const std::string& actual)
{
    const std::filesystem::path path = std::filesystem::path(BRIVO_TEST_DATA_DIR) / "golden" / name;
    const char* regenerate = std::getenv("BRIVO_REGENERATE_GOLDEN");
    if (regenerate != nullptr && std::string(regenerate) == "1") {
        writeBytes(path, actual);
        return;
    }
    ASSERT_TRUE(std::filesystem::exists(path)) << path << " is missing: run scripts/regenerate-golden.sh";
    const std::string expected = readBytes(path);
    EXPECT_EQ(actual.size(), expected.size());
    EXPECT_TRUE(actual == expected) << "differs from " << path;
}

} // namespace brivo::test
