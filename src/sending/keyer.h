#pragma once

#include "sending/key_edge.h"

#include <cstdint>
#include <optional>

namespace brivo::sending {

enum class KeyerMode { Straight, Bug, IambicA, IambicB, Ultimatic, SingleLever };

struct KeyerSettings {
    KeyerMode mode = KeyerMode::IambicB;
    double wpm = 20;             // 5 to 50
    double weight = 3;           // the dah in dits, 2.5 to 4.5
    double deafPercent = 50;     // of a dit after each element, paddles not sampled
    double samplingPercent = 35; // iambic B: where in an element the squeeze is sampled
    bool ditMemory = true;       // a dit paddle tapped during a dah is sent after it
    bool dahMemory = true;
    int sampleRate = 11025; // the sidetone's: every edge falls on one of its samples

    bool operator==(const KeyerSettings&) const = default;
};

// Turns paddle edges into key edges, one state machine per mode, each edge
// exact to the sample at `sampleRate`. A straight key's contact keys as it
// is in every mode.
// - straight: every contact keys as it is (pass-through);
// - bug: the dit paddle makes dits while held, the dah paddle keys by hand;
// - iambic A and B: a squeeze alternates dits and dahs; after each element
//   the opposite paddle, held or remembered, comes next, else the same one
//   if held. B adds the opposite element when the opposite paddle was down
//   from `samplingPercent` of the element on (0 %: classic B; 100 %: A);
// - Ultimatic: of the two paddles held, the last pressed wins;
// - single lever: the paddle held repeats, the other waits its turn.
// A paddle pressed during the opposite element (outside the deaf time
// after its key-down) is remembered when its memory is on.
class Keyer {
public:
    explicit Keyer(const KeyerSettings& settings);

    // A paddle edge, in time order; the key edges it makes (now or later,
    // as timed) are added to `out` once they are certain.
    void paddle(const KeyEdge& edge, KeyEdges& out);
    // The keyer runs on without a paddle change until `micros`.
    void runUntil(std::int64_t micros, KeyEdges& out);

private:
    enum class Element { None, Dit, Dah };
    void advance(std::int64_t sample, KeyEdges& out);
    void start(Element element, std::int64_t sample, KeyEdges& out);
    Element next() const;
    bool held(Element element) const { return element == Element::Dit ? ditDown_ : dahDown_; }
    KeyEdge keyEdge(std::int64_t sample, bool down) const;

    KeyerSettings settings_;
    std::int64_t unit_;
    bool ditDown_ = false;
    bool dahDown_ = false;
    bool straightDown_ = false;
    Element lastPressed_ = Element::None;
    // The element being keyed: its kind, key-down, key-up and the end of
    // the space after it.
    Element element_ = Element::None;
    std::int64_t elementStart_ = 0;
    std::int64_t keyUp_ = 0;
    std::int64_t spaceEnd_ = 0;
    bool sampled_ = false;
    bool ditLatch_ = false;
    bool dahLatch_ = false;
};

// A whole run: every paddle edge, then until the last element has ended.
KeyEdges runKeyer(const KeyerSettings& settings, const KeyEdges& paddles);

} // namespace brivo::sending
