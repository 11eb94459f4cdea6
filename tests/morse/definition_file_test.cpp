#include "morse/default_definitions.h"
#include "morse/definition_file.h"
#include "support/file_size_limit.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace brivo {
namespace {

using definitions::FileState;

TEST(DefinitionFile, MissingFileIsCreatedFromTheBuiltInText)
{
    test::TempDir dir;
    const auto path = dir / "Codmorse.INI";
    const auto created = definitions::ensureDefinitionFile(path);
    ASSERT_TRUE(created);
    EXPECT_EQ(*created, FileState::Created);
    EXPECT_EQ(test::readBytes(path), definitions::defaultFileContent());
    const auto loaded = definitions::loadDefinitionFile(path);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->definedCount(), 132U);
}

TEST(DefinitionFile, ExistingFileIsNeverRewritten)
{
    test::TempDir dir;
    const auto path = dir / "Codmorse.INI";
    test::writeBytes(path, "");
    const auto present = definitions::ensureDefinitionFile(path);
    ASSERT_TRUE(present);
    EXPECT_EQ(*present, FileState::AlreadyPresent);
    EXPECT_EQ(test::readBytes(path), "");
    const auto loaded = definitions::loadDefinitionFile(path);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->definedCount(), 0U);
}

TEST(DefinitionFile, CreationInAMissingFolderFails)
{
    test::TempDir dir;
    const auto created = definitions::ensureDefinitionFile(dir / "absent/Codmorse.INI");
    ASSERT_FALSE(created);
    EXPECT_EQ(created.error().code, ErrorCode::CreateFailed);
}

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
