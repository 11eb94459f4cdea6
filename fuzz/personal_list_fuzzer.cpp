// Feeds arbitrary bytes to the personal list's reader, as a file the
// trainee opened: every item it keeps is keyed, not empty and there once,
// and the deck then draws each item once a round.
#include "common/random_generator.h"
#include "common/utf8.h"
#include "morse/default_definitions.h"
#include "morse/definition_parser.h"
#include "practice/material/material.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <set>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace brivo;
    static const MorseTable table = tableFromContent(defaultDefinitionContent());
    const auto keyed = [](char32_t c) { return c == U' ' || practice::hasPattern(table, c); };
    const std::string text = textFileToUtf8(std::string_view(reinterpret_cast<const char*>(data), size));
    practice::ItemList list = practice::parseItemList(text, keyed);
    const std::set<std::u32string> distinct(list.items.begin(), list.items.end());
    if (distinct.size() != list.items.size() || list.unkeyable < 0)
        std::abort();
    for (const std::u32string& item : list.items) {
        if (item.empty() || !std::all_of(item.begin(), item.end(), keyed))
            std::abort();
    }
    if (list.items.empty())
        return 0;
    practice::ItemDeck deck(std::move(list.items));
    RandomGenerator random(static_cast<std::uint64_t>(size));
    std::set<std::u32string> round;
    for (std::size_t i = 0; i < distinct.size(); ++i)
        round.insert(deck.next(random));
    if (round != distinct)
        std::abort();
    return 0;
}
