// Feeds arbitrary bytes to the plain-text decoder (UTF-8, else
// Windows-1252) and to the keying of a text: the result must be valid
// UTF-8 and every character a byte of the code page or unencodable.
#include "common/edit_text.h"
#include "common/utf8.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text = brivo::textFileToUtf8(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!brivo::isValidUtf8(text))
        std::abort();
    for (const brivo::KeyCode code : brivo::keyedTextFromUtf8(text)) {
        if (code > brivo::kUnencodable)
            std::abort();
    }
    return 0;
}
