#include "morse/default_definitions.h"
#include "morse/definition_file.h"
#include "support/file_size_limit.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace brivo {
namespace {

// Created, kept when present and refused in a folder that cannot hold it:
// the window's tests hold those, through the grid and the boxes.
TEST(DefinitionFile, WritingThatFailsPartWayIsReportedAndKeepsWhatWasWritten)
{
    test::TempDir dir;
    const auto path = dir / "Codmorse.INI";
    {
        const test::FileSizeLimit limit(1000);
        const auto created = definitions::ensureDefinitionFile(path);
        ASSERT_FALSE(created);
        EXPECT_EQ(created.error().code, ErrorCode::WriteFailed);
    }
    const std::string written = test::readBytes(path);
    EXPECT_LT(written.size(), definitions::defaultFileContent().size());
    EXPECT_TRUE(definitions::defaultFileContent().starts_with(written));
}

TEST(DefinitionFile, UnreadableFileGivesTheSystemReason)
{
    test::TempDir dir;
    const auto missing = definitions::loadDefinitionFile(dir / "Codmorse.INI");
    ASSERT_FALSE(missing);
    EXPECT_EQ(missing.error().message, "No such file or directory");
    std::filesystem::create_directory(dir / "folder.INI");
    EXPECT_FALSE(definitions::loadDefinitionFile(dir / "folder.INI"));
}

} // namespace
} // namespace brivo
