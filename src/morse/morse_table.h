#pragma once

#include "common/key_code.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace brivo {

// The Morse pattern of every Windows-1252 byte: 0 to 19 symbols, each "."
// (dot), "-" (dash) or " " (blank). An empty pattern means the byte is not
// keyed (only its character gap is).
class MorseTable {
public:
    static constexpr std::size_t kMaxSymbols = 19;

    // The pattern of a key code; kUnencodable (and anything above 255) has
    // none.
    std::string_view pattern(KeyCode code) const
    {
        return code < entries_.size() ? std::string_view(entries_[code]) : std::string_view();
    }

    std::size_t definedCount() const
    {
        std::size_t count = 0;
        for (const auto& entry : entries_)
            count += entry.empty() ? 0 : 1;
        return count;
    }

    void clear(unsigned char byte) { entries_[byte].clear(); }

    // Appends one symbol; ignored once the entry holds kMaxSymbols.
    void appendSymbol(unsigned char byte, char symbol)
    {
        if (entries_[byte].size() < kMaxSymbols)
            entries_[byte].push_back(symbol);
    }

    bool operator==(const MorseTable&) const = default;

private:
    std::array<std::string, 256> entries_{};
};

} // namespace brivo
