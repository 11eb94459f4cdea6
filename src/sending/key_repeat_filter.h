#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace brivo::sending {

// A key event as the X server sends it: press or release, the key's scan
// code, and the server's time in milliseconds.
struct RawKeyEvent {
    bool press = false;
    std::uint32_t scanCode = 0;
    std::uint64_t timeMs = 0;

    bool operator==(const RawKeyEvent&) const = default;
};

// Takes out X's auto-repeat, which Qt does not always flag: a held key
// comes as a release then a press of the same scan code with the same
// server time. A release is held back until the next event shows it was
// not one of these (or `flush` says no event came).
class KeyRepeatFilter {
public:
    // The events that are real key changes, in order.
    std::vector<RawKeyEvent> take(const RawKeyEvent& event);
    // No event came since: a release held back was real.
    std::vector<RawKeyEvent> flush();

private:
    std::vector<RawKeyEvent> flushRelease(const RawKeyEvent& release);

    std::optional<RawKeyEvent> heldRelease_;
    std::vector<std::uint32_t> down_;
};

} // namespace brivo::sending
