#include "help/help_text.h"
#include "support/golden.h"

#include <gtest/gtest.h>

namespace brivo {
namespace {

// The help window's built-in lines, every one exactly as written there.
TEST(HelpText, BuiltInLinesMatchTheGoldenFile)
{
    std::string text;
    for (const std::string_view line : help::builtInLines())
        (text += line) += '\n';
    test::compareWithGolden("aide.txt", text);
}

} // namespace
} // namespace brivo
