#pragma once

#include "common/monotonic_clock.h"
#include "sending/key_edge.h"

#include <cstdint>
#include <functional>
#include <string>

namespace brivo::sending {

// A key or paddle wired to something other than the window: a serial
// port's modem lines, a MIDI adapter. Each runs on its own thread from the
// moment it is opened until it is destroyed; its edges and the message of
// its loss (the port unplugged) reach the caller through these callbacks,
// on that thread.
struct KeyInputCallbacks {
    std::function<void(const KeyEdge&)> edge;
    std::function<void(const std::string&)> lost;
};

class KeyInput {
public:
    KeyInput() = default;
    KeyInput(const KeyInput&) = delete;
    KeyInput& operator=(const KeyInput&) = delete;
    virtual ~KeyInput() = default; // stops the thread before returning
};

} // namespace brivo::sending
