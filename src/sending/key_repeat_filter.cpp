#include "sending/key_repeat_filter.h"

#include <algorithm>

namespace brivo::sending {

std::vector<RawKeyEvent> KeyRepeatFilter::take(const RawKeyEvent& event)
{
    std::vector<RawKeyEvent> real;
    if (heldRelease_) {
        const bool repeat =
            event.press && event.scanCode == heldRelease_->scanCode && event.timeMs == heldRelease_->timeMs;
        const RawKeyEvent release = *heldRelease_;
        heldRelease_.reset();
        if (repeat)
            return real;
        real = flushRelease(release);
    }
    const bool isDown = std::find(down_.begin(), down_.end(), event.scanCode) != down_.end();
    if (event.press) {
        if (!isDown) {
            down_.push_back(event.scanCode);
            real.push_back(event);
        }
    } else if (isDown) {
        heldRelease_ = event;
    }
    return real;
}

std::vector<RawKeyEvent> KeyRepeatFilter::flush()
{
    if (!heldRelease_)
        return {};
    const RawKeyEvent release = *heldRelease_;
    heldRelease_.reset();
    return flushRelease(release);
}

std::vector<RawKeyEvent> KeyRepeatFilter::flushRelease(const RawKeyEvent& release)
{
    down_.erase(std::remove(down_.begin(), down_.end(), release.scanCode), down_.end());
    return {release};
}

} // namespace brivo::sending
