#include "sending/inputs/serial_key.h"

#include "common/file_io.h"
#include "common/messages.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <glob.h>
#include <linux/serial.h>
#include <pthread.h>
#include <sys/ioctl.h>
#include <thread>
#include <unistd.h>

namespace brivo::sending {

namespace {

// TIOCMIWAIT blocks in the driver: closing the port does not end it, a
// signal does. The handler does nothing; the interrupted wait sees the
// stop flag.
constexpr int kWakeSignal = SIGUSR2;

void installWakeHandler()
{
    static const bool installed = [] {
        struct sigaction action {};
        action.sa_handler = [](int) {};
        sigemptyset(&action.sa_mask);
        action.sa_flags = 0; // no SA_RESTART: the wait returns EINTR
        return sigaction(kWakeSignal, &action, nullptr) == 0;
    }();
    (void)installed;
}

class SerialKey : public KeyInput {
public:
    SerialKey(int fd, std::string path, KeyInputCallbacks callbacks)
        : fd_(fd), path_(std::move(path)), callbacks_(std::move(callbacks))
    {
        installWakeHandler();
        thread_ = std::thread([this] { run(); });
    }
    ~SerialKey() override
    {
        stopping_ = true;
        while (!finished_) {
            pthread_kill(thread_.native_handle(), kWakeSignal);
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        thread_.join();
        const int off = TIOCM_DTR | TIOCM_RTS;
        ioctl(fd_, TIOCMBIC, &off);
        close(fd_);
    }

private:
    void run()
    {
        int lines = 0;
        ioctl(fd_, TIOCMGET, &lines);
        while (!stopping_) {
            if (ioctl(fd_, TIOCMIWAIT, TIOCM_CTS | TIOCM_DSR) != 0 && errno == EINTR)
                continue;
            const std::int64_t now = monotonicMicros();
            int after = 0;
            if (ioctl(fd_, TIOCMGET, &after) != 0) {
                if (!stopping_)
                    callbacks_.lost(messages::serialLost(path_, systemErrorText(errno)));
                break;
            }
            for (const KeyEdge& edge : modemLineEdges(lines, after, now))
                callbacks_.edge(edge);
            lines = after;
        }
        finished_ = true;
    }

    int fd_;
    std::string path_;
    KeyInputCallbacks callbacks_;
    std::atomic<bool> stopping_{false};
    std::atomic<bool> finished_{false};
    std::thread thread_;
};

} // namespace

std::vector<std::string> serialPorts()
{
    std::vector<std::string> ports;
    for (const char* pattern : {"/dev/ttyUSB*", "/dev/ttyACM*", "/dev/ttyS*"}) {
        glob_t found{};
        if (glob(pattern, 0, nullptr, &found) == 0) {
            for (std::size_t i = 0; i < found.gl_pathc; ++i) {
                const int fd = open(found.gl_pathv[i], O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
                int lines = 0;
                // A /dev/ttyS* with no UART behind it opens but has no lines.
                if (fd >= 0 && ioctl(fd, TIOCMGET, &lines) == 0)
                    ports.emplace_back(found.gl_pathv[i]);
                if (fd >= 0)
                    close(fd);
            }
        }
        globfree(&found);
    }
    return ports;
}

KeyEdges modemLineEdges(int before, int after, std::int64_t micros)
{
    KeyEdges edges;
    const auto line = [&](int bit, Contact contact) {
        if (((before ^ after) & bit) != 0)
            edges.push_back({micros, (after & bit) != 0, contact});
    };
    line(TIOCM_CTS, Contact::Dit);
    line(TIOCM_DSR, Contact::Dah);
    return edges;
}

Result<std::unique_ptr<KeyInput>> openSerialKey(const std::string& path, KeyInputCallbacks callbacks)
{
    const int fd = open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        const int error = errno;
        return fail(ErrorCode::DeviceFailed, error == EACCES ? messages::serialNotAllowed(path)
                                                             : messages::serialNotOpened(path, systemErrorText(error)));
    }
    const int power = TIOCM_DTR | TIOCM_RTS;
    int lines = 0;
    if (ioctl(fd, TIOCMBIS, &power) != 0 || ioctl(fd, TIOCMGET, &lines) != 0) {
        close(fd);
        return fail(ErrorCode::DeviceFailed, messages::serialNoModemLines(path));
    }
    // The FTDI driver otherwise holds line changes back for 16 ms.
    serial_struct serial{};
    if (ioctl(fd, TIOCGSERIAL, &serial) == 0) {
        serial.flags |= ASYNC_LOW_LATENCY;
        ioctl(fd, TIOCSSERIAL, &serial);
    }
    return std::unique_ptr<KeyInput>(std::make_unique<SerialKey>(fd, path, std::move(callbacks)));
}

} // namespace brivo::sending
