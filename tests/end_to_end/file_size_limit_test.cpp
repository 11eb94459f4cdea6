// The real programs under a file-size limit (ulimit -f): a write past the
// limit must fail and be reported, never end the program on the spot.
#include "morse/default_definitions.h"
#include "support/temp_dir.h"

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace brivo {
namespace {

struct Ending {
    bool stillRunning = false; // at the deadline; it was then stopped
    bool signalled = false;
    int signal = 0;
    int status = 0;
};

// Starts `argv` in `folder` with its standard error in `errFile`, under a
// limit of `bytes` and with SIGXFSZ at its default, deadly action, so that
// only the program itself can ignore it.
pid_t startLimited(std::vector<std::string> argv, const std::filesystem::path& folder, rlim_t bytes,
                   const std::filesystem::path& errFile)
{
    const pid_t child = fork();
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_DFL);
        rlimit limit{bytes, bytes};
        setrlimit(RLIMIT_FSIZE, &limit);
        if (chdir(folder.c_str()) != 0)
            _exit(126);
        const int err = open(errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        dup2(err, STDERR_FILENO);
        std::vector<char*> args;
        for (auto& arg : argv)
            args.push_back(arg.data());
        args.push_back(nullptr);
        execv(args[0], args.data());
        _exit(127);
    }
    return child;
}

// Waits for `child` to end, stopping it at the deadline.
Ending waitFor(pid_t child, std::chrono::milliseconds deadline)
{
    Ending ending;
    int status = 0;
    const auto end = std::chrono::steady_clock::now() + deadline;
    while (waitpid(child, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > end) {
            ending.stillRunning = true;
            kill(child, SIGKILL);
            waitpid(child, &status, 0);
            return ending;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    ending.signalled = WIFSIGNALED(status);
    ending.signal = ending.signalled ? WTERMSIG(status) : 0;
    ending.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return ending;
}

Ending runLimited(std::vector<std::string> argv, const std::filesystem::path& folder, rlim_t bytes,
                  const std::filesystem::path& errFile, std::chrono::milliseconds deadline)
{
    return waitFor(startLimited(std::move(argv), folder, bytes, errFile), deadline);
}

// Whether `child` has its own handler for `signal` yet (from /proc).
bool catches(pid_t child, int signal)
{
    std::ifstream status("/proc/" + std::to_string(child) + "/status");
    for (std::string line; std::getline(status, line);) {
        if (line.starts_with("SigCgt:"))
            return ((std::stoull(line.substr(7), nullptr, 16) >> (signal - 1)) & 1U) != 0;
    }
    return false;
}

TEST(FileSizeLimit, RendererReportsTheFailedWriteAndRemovesTheFile)
{
    test::TempDir dir;
    const Ending ending = runLimited({BRIVO_RENDER_PATH, "--seed", "1", std::string(300, 'H')}, dir.path(), 1 << 16,
                                     dir / "err.txt", std::chrono::seconds(20));
    ASSERT_FALSE(ending.signalled) << "ended by signal " << ending.signal;
    EXPECT_EQ(ending.status, 1);
    EXPECT_NE(test::readBytes(dir / "err.txt").find("interrompue : Fichier trop grand"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(dir / "Morse.WAV"));
}

// The code table cannot be written whole: the window reports it in a box
// and waits for the user, instead of dying before it is even shown.
TEST(FileSizeLimit, WindowSurvivesAFailedWriteAtStart)
{
    test::TempDir dir;
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    const Ending ending =
        runLimited({BRIVO_WINDOW_PATH}, dir.path(), 1000, dir / "err.txt", std::chrono::milliseconds(1500));
    EXPECT_TRUE(ending.stillRunning) << "ended by signal " << ending.signal << ", status " << ending.status;
    EXPECT_FALSE(std::filesystem::exists(dir / "Codmorse.INI")) << "a cut-short table would key silence from then on";
}

// A quit signal while the settings cannot be saved: the program says so on
// its error stream and ends with status 1, instead of waiting on a box that
// no one will answer.
TEST(FileSizeLimit, WindowReportsAFailedSaveAtAQuitSignal)
{
    test::TempDir dir;
    test::writeBytes(dir / "Codmorse.INI", defaultDefinitionContent());
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    setenv("XDG_CONFIG_HOME", (dir / "config").c_str(), 1);
    const pid_t child = startLimited({BRIVO_WINDOW_PATH}, dir.path(), 1000, dir / "err.txt");
    const auto ready = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!catches(child, SIGTERM) && std::chrono::steady_clock::now() < ready)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    kill(child, SIGTERM);
    const Ending ending = waitFor(child, std::chrono::seconds(20));
    ASSERT_FALSE(ending.stillRunning) << "it waits for a click";
    EXPECT_EQ(ending.status, 1);
    EXPECT_NE(test::readBytes(dir / "err.txt").find("Fichier trop grand"), std::string::npos)
        << test::readBytes(dir / "err.txt");
    unsetenv("XDG_CONFIG_HOME");
}

// Started from the desktop menu (its launcher gives --user-folder), the
// program works in $XDG_DATA_HOME/ZORVANE/BRIVO, never in the folder it was
// started from (the home folder, for a launcher).
TEST(DesktopLauncher, WorksInTheUserFolder)
{
    const std::string desktop =
        test::readBytes(std::filesystem::path(BRIVO_PACKAGING_DIR) / "fr.zorvane.brivo.desktop");
    ASSERT_NE(desktop.find("\nExec=brivo --user-folder\n"), std::string::npos);
    test::TempDir dir;
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    setenv("XDG_DATA_HOME", (dir / "data").c_str(), 1);
    setenv("XDG_CONFIG_HOME", (dir / "config").c_str(), 1);
    const Ending ending = runLimited({BRIVO_WINDOW_PATH, "--user-folder"}, dir.path(), RLIM_INFINITY, dir / "err.txt",
                                     std::chrono::milliseconds(1500));
    EXPECT_TRUE(ending.stillRunning) << test::readBytes(dir / "err.txt");
    EXPECT_TRUE(std::filesystem::exists(dir / "data/ZORVANE/BRIVO/Codmorse.INI"));
    EXPECT_FALSE(std::filesystem::exists(dir / "Codmorse.INI"));
}

} // namespace
} // namespace brivo
