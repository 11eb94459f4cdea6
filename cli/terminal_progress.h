#pragma once

#include <cstdint>
#include <functional>
#include <iosfwd>

namespace brivo::cli {

// A one-line percentage on a terminal, shown only once the work has lasted
// longer than a short delay, so quick renders print nothing.
class TerminalProgress {
public:
    static constexpr double kDelaySeconds = 1.0;

    TerminalProgress(std::ostream& stream, bool isTerminal, std::function<double()> clock);

    void update(std::uint64_t done, std::uint64_t total);

    // Ends the line if anything was shown.
    void finish();

private:
    std::ostream& stream_;
    bool enabled_;
    std::function<double()> clock_;
    double startedAt_ = 0;
    int lastPercent_ = -1;
};

} // namespace brivo::cli
