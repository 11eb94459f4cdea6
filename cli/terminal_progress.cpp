#include "cli/terminal_progress.h"

#include <ostream>

namespace brivo::cli {

TerminalProgress::TerminalProgress(std::ostream& stream, bool isTerminal, std::function<double()> clock)
    : stream_(stream), enabled_(isTerminal && clock), clock_(std::move(clock))
{
    if (enabled_)
        startedAt_ = clock_();
}

void TerminalProgress::update(std::uint64_t done, std::uint64_t total)
{
    if (!enabled_ || total == 0)
        return;
    if (lastPercent_ < 0 && clock_() - startedAt_ < kDelaySeconds)
        return;
    const int percent = static_cast<int>(done * 100 / total);
    if (percent == lastPercent_)
        return;
    lastPercent_ = percent;
    stream_ << "\rRendu en cours : " << percent << " % (" << done * 2 / 1000000 << " / " << total * 2 / 1000000
            << " Mo)" << std::flush;
}

void TerminalProgress::finish()
{
    if (lastPercent_ >= 0)
        stream_ << '\n' << std::flush;
    lastPercent_ = -1;
}

} // namespace brivo::cli
