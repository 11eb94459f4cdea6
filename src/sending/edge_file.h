#pragma once

#include "common/result.h"
#include "sending/key_edge.h"

#include <string>
#include <string_view>

namespace brivo::sending {

// The text form of key edges, one a line: "<milliseconds> <down|up>
// [dit|dah|key]" (key when the contact is not given; the time may have
// decimals after a point). Blank lines and lines starting with "#" are
// skipped. Refused (Refused) with the first wrong line named, in French:
// no edge at all, bytes that are not text, a time that is not a number of
// 0 to 24 hours or goes back, an unknown word, an up without its down.
Result<KeyEdges> parseEdgeText(std::string_view text);

// The same form, milliseconds to the microsecond.
std::string edgeText(const KeyEdges& edges);

} // namespace brivo::sending
