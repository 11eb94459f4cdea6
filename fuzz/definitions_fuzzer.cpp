// Feeds arbitrary bytes to the definition-file reader and checks that every
// entry it leaves is a pattern of at most 19 dots, dashes and blanks.
#include "morse/definition_parser.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view content(reinterpret_cast<const char*>(data), size);
    const brivo::MorseTable table = brivo::tableFromContent(content);
    for (brivo::KeyCode code = 0; code < 256; ++code) {
        const std::string_view pattern = table.pattern(code);
        if (pattern.size() > brivo::MorseTable::kMaxSymbols ||
            pattern.find_first_not_of(".- ") != std::string_view::npos)
            std::abort();
    }
    return 0;
}
