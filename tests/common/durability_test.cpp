// The order of the system calls that make a save durable, seen by
// interposing fsync and rename in this test program: the program's own
// calls resolve to these, which record them and pass them on.
#include "common/atomic_file.h"
#include "support/temp_dir.h"

#include <dlfcn.h>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

std::vector<std::string> calls; // "fsync NAME", "rename FROM TO", by file name

std::string nameOf(int fd)
{
    std::error_code error;
    return std::filesystem::read_symlink("/proc/self/fd/" + std::to_string(fd), error).filename().string();
}

} // namespace

extern "C" int fsync(int fd)
{
    calls.push_back("fsync " + nameOf(fd));
    return reinterpret_cast<int (*)(int)>(dlsym(RTLD_NEXT, "fsync"))(fd);
}

extern "C" int rename(const char* from, const char* to)
{
    calls.push_back("rename " + std::filesystem::path(from).filename().string() + " " +
                    std::filesystem::path(to).filename().string());
    return reinterpret_cast<int (*)(const char*, const char*)>(dlsym(RTLD_NEXT, "rename"))(from, to);
}

namespace brivo {
namespace {

// The new content reaches the disk before it takes the name, and the
// rename itself then reaches it through the folder.
TEST(Durability, TheFileIsFlushedBeforeItsRenameAndTheFolderAfter)
{
    test::TempDir dir;
    std::filesystem::create_directories(dir / "saves");
    calls.clear();
    ASSERT_TRUE(writeFileAtomically(dir / "saves" / "BRIVO.reg", "contenu"));
    ASSERT_EQ(calls.size(), 3U);
    EXPECT_TRUE(calls[0].starts_with("fsync .BRIVO.reg.")) << calls[0];
    EXPECT_EQ(calls[1], "rename " + calls[0].substr(6) + " BRIVO.reg");
    EXPECT_EQ(calls[2], "fsync saves");
}

} // namespace
} // namespace brivo
