#pragma once

#include <cstdint>
#include <vector>

namespace brivo::sending {

// Which contact moved: a paddle's dit or dah side, or a straight key (the
// keyer's own output is a straight key too).
enum class Contact { Dit, Dah, Straight };

// One contact closing (down) or opening (up), in microseconds of a
// monotonic clock.
struct KeyEdge {
    std::int64_t micros = 0;
    bool down = false;
    Contact contact = Contact::Straight;

    bool operator==(const KeyEdge&) const = default;
};

using KeyEdges = std::vector<KeyEdge>;

} // namespace brivo::sending
