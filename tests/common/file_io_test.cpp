#include "audio/message_renderer.h"
#include "cli/check_command.h"
#include "cli/render_command.h"
#include "common/atomic_file.h"
#include "common/edit_text.h"
#include "common/file_io.h"
#include "common/messages.h"
#include "morse/default_definitions.h"
#include "morse/definition_file.h"
#include "morse/definition_parser.h"
#include "settings/settings_file.h"
#include "support/command_fixture.h"
#include "support/file_size_limit.h"
#include "support/temp_dir.h"

#include <fcntl.h>
#include <functional>
#include <future>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace brivo {
namespace {

class Readers : public test::CommandFixture {};

// Every reader of the user's files on a named pipe with no writer: each
// gives up at once, saying why, where opening the pipe would block for
// good. A reader that blocks is released by a writer after five seconds,
// and fails the test.
TEST_F(Readers, RefuseANamedPipeAtOnce)
{
    const std::filesystem::path fifo = dir_ / "pipe.txt";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const std::string reason(messages::kNotAFile);
    const std::vector<std::pair<std::string, std::function<std::string()>>> readers = {
        {"bytes", [&] { return readFileBytes(fifo).error().message; }},
        {"code table", [&] { return loadDefinitionFile(fifo).error().message; }},
        {"settings", [&] { return settings::readSettingsFile(fifo).error().message; }},
        // The tools' error stream is what the user reads.
        {"brivo-render --input",
         [&] {
             runCommand(cli::runRenderCommand, {"--input", "pipe.txt", "-o", (dir_ / "o.wav")});
             return err_.str();
         }},
        {"brivo-check",
         [&] {
             runCommand(cli::runCheckCommand, {"pipe.txt", "pipe.txt"});
             return err_.str();
         }},
    };
    for (const auto& [name, read] : readers) {
        auto result = std::async(std::launch::async, read);
        if (result.wait_for(std::chrono::seconds(5)) != std::future_status::ready) {
            const int writer = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
            ::close(writer);
            ADD_FAILURE() << name << " blocked on the pipe";
        }
        EXPECT_NE(result.get().find(reason), std::string::npos) << name;
    }
}

// Saving through a symbolic link replaces the file it points to (with its
// permissions), and the link stays a link: for the plain writer and for
// the WAV file, whose writer streams.
TEST(Writers, FollowASymbolicLink)
{
    test::TempDir dir;
    std::filesystem::create_directories(dir / "real");
    const std::vector<std::pair<std::string, std::function<bool(const std::filesystem::path&)>>> writers = {
        {"text", [](const std::filesystem::path& path) { return bool(writeFileAtomically(path, "new")); }},
        {"wav",
         [](const std::filesystem::path& path) {
             RenderRequest request;
             request.path = path;
             request.text = keyedTextFromUtf8("E");
             RandomGenerator random(1);
             return bool(renderMorseFile(request, tableFromContent(defaultDefinitionContent()), random));
         }},
    };
    for (const auto& [name, write] : writers) {
        const std::filesystem::path real = dir / "real" / (name + ".out");
        const std::filesystem::path link = dir / (name + ".link");
        test::writeBytes(real, "old");
        ASSERT_EQ(::chmod(real.c_str(), 0600), 0);
        std::filesystem::create_symlink("real/" + name + ".out", link);
        ASSERT_TRUE(write(link)) << name;
        EXPECT_TRUE(std::filesystem::is_symlink(link)) << name;
        EXPECT_NE(test::readBytes(real), "old") << name;
        struct stat status {};
        ASSERT_EQ(::stat(real.c_str(), &status), 0);
        EXPECT_EQ(status.st_mode & 0777, 0600U) << name;
    }
}

// A rename that fails (the name is a folder), a pipe, a full disk or a
// folder that cannot be made leave what was there and no temporary file; a
// settings folder made for the first save is private.
TEST(Writers, FailuresKeepTheOldFileAndNewSettingsFolderIsPrivate)
{
    test::TempDir dir;
    std::filesystem::create_directories(dir / "taken" / "inside");
    EXPECT_FALSE(writeFileAtomically(dir / "taken", "new"));
    EXPECT_TRUE(std::filesystem::is_directory(dir / "taken" / "inside"));
    ASSERT_EQ(mkfifo((dir / "pipe").c_str(), 0600), 0); // never replaced (/dev/null, as root)
    EXPECT_FALSE(writeFileAtomically(dir / "pipe", "new"));
    EXPECT_TRUE(std::filesystem::is_fifo(dir / "pipe"));
    std::filesystem::remove(dir / "pipe");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);

    const auto path = dir / "config" / "ZORVANE" / "BRIVO.reg";
    settings::RegistryFile file;
    ASSERT_TRUE(settings::writeSettingsFile(path, file));
    struct stat status {};
    ASSERT_EQ(::stat((dir / "config" / "ZORVANE").c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0700U);
    const std::string before = test::readBytes(path);
    file.set("Zone_d_edition", settings::Value::ofText(std::string(100000, 'E')));
    {
        const test::FileSizeLimit limit(4096);
        const Result<void> written = settings::writeSettingsFile(path, file);
        ASSERT_FALSE(written);
        EXPECT_EQ(written.error().message, "Fichier trop grand");
    }
    EXPECT_EQ(test::readBytes(path), before);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(path.parent_path()), {}), 1);
    EXPECT_FALSE(settings::writeSettingsFile("/proc/brivo/BRIVO.reg", file));
}

} // namespace
} // namespace brivo
