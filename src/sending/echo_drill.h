#pragma once

#include "common/random_generator.h"
#include "common/result.h"
#include "morse/morse_table.h"
#include "practice/copy_check.h"
#include "practice/material/material.h"
#include "sending/key_edge.h"

#include <map>
#include <string>
#include <string_view>

namespace brivo::sending {

// What the echo drill plays: one character, a group of five, a word or a
// call sign.
enum class EchoSource { Characters, Groups, Words, Calls };

struct EchoSettings {
    EchoSource source = EchoSource::Characters;
    double wpm = 20;
    // After a right answer the speed goes up 1 WPM, after a wrong one down
    // 1 WPM, between `slowest` and `fastest`.
    bool adaptive = false;
    double slowest = 10;
    double fastest = 40;
};

struct EchoVerdict {
    bool right = false;
    std::string message; // "juste", or what was received instead (French)
};

// The echo drill: BRIVO plays an item, the trainee keys it back, the copy
// check's alignment judges it. Characters and groups are drawn from
// `characters` (the course's known characters, or the table's); words and
// call signs from the practice material, under `filter`.
class EchoDrill {
public:
    EchoDrill(EchoSettings settings, std::u32string characters, practice::CharacterFilter filter, std::uint64_t seed);

    // Draws the next item; refused (French message) when the source has
    // nothing to draw.
    Result<std::u32string> next();
    const std::u32string& item() const { return item_; }
    // Judges what was decoded (UTF-8) against the item, counts each of its
    // characters, and moves the speed when it adapts.
    EchoVerdict answer(std::string_view decoded);

    double wpm() const { return settings_.wpm; }
    int answered() const { return answered_; }
    int right() const { return right_; }
    const std::map<char32_t, practice::CharacterCount>& counts() const { return counts_; }

private:
    EchoSettings settings_;
    std::u32string characters_;
    practice::CharacterFilter filter_;
    RandomGenerator random_;
    std::u32string item_;
    int answered_ = 0;
    int right_ = 0;
    std::map<char32_t, practice::CharacterCount> counts_;
};

// The key edges of `text` keyed perfectly at `wpm` (a dit of 1.2 / wpm s;
// dahs of 3, element gaps of 1, letter gaps of 3 and word gaps of 7 dits),
// the first key-down at `startMicros`. Characters the table lacks are left
// out.
KeyEdges idealKeying(std::u32string_view text, const MorseTable& table, double wpm, std::int64_t startMicros);

} // namespace brivo::sending
