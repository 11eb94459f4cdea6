// The order of the system calls that make a save durable, seen by
// interposing fsync and rename in this test program: the program's own
// calls resolve to these, which record them and pass them on.
#include "common/atomic_file.h"
#include "support/temp_dir.h"

#include <dlfcn.h>
#include <gtest/gtest.h>
#include <mutex>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

std::mutex callsLock;
std::vector<std::string> calls; // "fsync NAME", "rename FROM TO"

std::string nameOf(int fd)
{
    char target[4096] = {};
    const ssize_t size = readlink(("/proc/self/fd/" + std::to_string(fd)).c_str(), target, sizeof target - 1);
    return size > 0 ? std::filesystem::path(std::string(target, static_cast<std::size_t>(size))).filename().string()
                    : std::string("?");
}

template <typename Function> Function* real(const char* name)
{
    return reinterpret_cast<Function*>(dlsym(RTLD_NEXT, name));
}

} // namespace

extern "C" int fsync(int fd)
{
    {
        const std::lock_guard lock(callsLock);
        calls.push_back("fsync " + nameOf(fd));
    }
    return real<int(int)>("fsync")(fd);
}

extern "C" int rename(const char* from, const char* to)
{
    {
        const std::lock_guard lock(callsLock);
        calls.push_back("rename " + std::filesystem::path(from).filename().string() + " " +
                        std::filesystem::path(to).filename().string());
    }
    return real<int(const char*, const char*)>("rename")(from, to);
}

namespace brivo {
namespace {

// The new content reaches the disk before it takes the name, and the
// rename itself then reaches it through the folder.
TEST(Durability, TheFileIsFlushedBeforeItsRenameAndTheFolderAfter)
{
    test::TempDir dir;
    const std::filesystem::path folder = dir / "saves";
    std::filesystem::create_directories(folder);
    calls.clear();
    ASSERT_TRUE(writeFileAtomically(folder / "BRIVO.reg", "contenu"));
    ASSERT_EQ(calls.size(), 3U);
    EXPECT_TRUE(calls[0].starts_with("fsync .BRIVO.reg.")) << calls[0];
    EXPECT_EQ(calls[1], "rename " + calls[0].substr(6) + " BRIVO.reg");
    EXPECT_EQ(calls[2], "fsync saves");
}

} // namespace
} // namespace brivo
