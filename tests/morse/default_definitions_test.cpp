#include "morse/default_definitions.h"
#include "morse/definition_parser.h"
#include "support/golden.h"

#include <gtest/gtest.h>

namespace brivo {
namespace {

// The built-in text, byte for byte: 141 lines in Windows-1252, each ended by
// CR LF. scripts/regenerate-golden.sh rewrites the file after a deliberate
// change; review its diff before committing it.
TEST(DefaultDefinitions, WrittenTextMatchesTheGoldenFile)
{
    const std::string content = definitions::defaultFileContent();
    test::compareWithGolden("Codmorse.INI", content);
    EXPECT_EQ(content.size(), 3373U);
    EXPECT_EQ(definitions::tableFromContent(content).definedCount(), 132U);
}

} // namespace
} // namespace brivo
