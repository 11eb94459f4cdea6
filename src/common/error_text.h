#pragma once

#include <string>

namespace brivo {

// The text of the error box: the error's message with a full stop appended
// when its last character's code is above that of the full stop (a message
// ending in a letter gets one; one ending in an apostrophe or a full stop
// does not).
std::string errorBoxText(const std::string& utf8Message);

// Where a window of `windowSize` pixels starts so as to be centred on a
// screen of `screenSize` pixels: the difference halved, truncated toward
// zero (a screen narrower than the window gives a negative origin).
constexpr int centredOrigin(int screenSize, int windowSize)
{
    return (screenSize - windowSize) / 2;
}

} // namespace brivo
