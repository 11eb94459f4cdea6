// Feeds arbitrary bytes to the course's order reader, as a file the trainee
// opened: an order it accepts has two characters or more, each once and
// each keyed by the built-in table; a refusal says why.
#include "common/utf8.h"
#include "morse/default_definitions.h"
#include "morse/definition_parser.h"
#include "practice/koch_course.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace brivo;
    static const MorseTable table = tableFromContent(defaultDefinitionContent());
    const auto keyed = [](char32_t c) { return practice::hasPattern(table, c); };
    const std::string text = textFileToUtf8(std::string_view(reinterpret_cast<const char*>(data), size));
    const Result<std::u32string> order = practice::parseOrder(text, keyed);
    if (!order) {
        if (order.error().message.empty())
            std::abort();
        return 0;
    }
    std::u32string sorted = *order;
    std::sort(sorted.begin(), sorted.end());
    if (order->size() < 2 || std::adjacent_find(sorted.begin(), sorted.end()) != sorted.end() ||
        !std::all_of(order->begin(), order->end(), keyed))
        std::abort();
    return 0;
}
