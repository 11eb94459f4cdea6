#include "morse/default_definitions.h"
#include "morse/definition_file.h"
#include "support/file_size_limit.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace brivo {
namespace {

using definitions::EnsureResult;

TEST(DefinitionFile, MissingFileIsCreatedFromTheBuiltInText)
{
    test::TempDir dir;
    const auto path = dir / "Codmorse.INI";
    EXPECT_EQ(definitions::ensureDefinitionFile(path), EnsureResult::Created);
    EXPECT_EQ(test::readBytes(path), definitions::defaultFileContent());

    const auto loaded = definitions::loadDefinitionFile(path);
    ASSERT_TRUE(loaded.table.has_value());
    EXPECT_EQ(loaded.table->definedCount(), 132U);
}

TEST(DefinitionFile, ExistingFileIsNeverRewritten)
{
    test::TempDir dir;
    const auto path = dir / "Codmorse.INI";
    test::writeBytes(path, "");
    EXPECT_EQ(definitions::ensureDefinitionFile(path), EnsureResult::AlreadyPresent);
    EXPECT_EQ(test::readBytes(path), "");

    const auto loaded = definitions::loadDefinitionFile(path);
    ASSERT_TRUE(loaded.table.has_value());
    EXPECT_EQ(loaded.table->definedCount(), 0U);
}

TEST(DefinitionFile, CreationInAMissingFolderFails)
{
    test::TempDir dir;
    EXPECT_EQ(definitions::ensureDefinitionFile(dir / "absent/Codmorse.INI"), EnsureResult::Failed);
}

TEST(DefinitionFile, WritingThatFailsPartWayIsReportedAndKeepsWhatWasWritten)
{
    test::TempDir dir;
    const auto path = dir / "Codmorse.INI";
    {
        const test::FileSizeLimit limit(1000);
        EXPECT_EQ(definitions::ensureDefinitionFile(path), EnsureResult::Failed);
    }
    const std::string written = test::readBytes(path);
    EXPECT_LT(written.size(), definitions::defaultFileContent().size());
    EXPECT_TRUE(definitions::defaultFileContent().starts_with(written));
}

TEST(DefinitionFile, UnreadableFileGivesTheSystemReason)
{
    test::TempDir dir;
    const auto missing = definitions::loadDefinitionFile(dir / "Codmorse.INI");
    EXPECT_FALSE(missing.table.has_value());
    EXPECT_FALSE(missing.error.empty());

    std::filesystem::create_directory(dir / "folder.INI");
    EXPECT_FALSE(definitions::loadDefinitionFile(dir / "folder.INI").table.has_value());
}

} // namespace
} // namespace brivo
