// Feeds arbitrary bytes to the RTF reader: it must answer without crashing,
// hanging or growing past its input, and whatever it reads must survive a
// write and a second read unchanged.
#include "editzone/rtf_reader.h"
#include "editzone/rtf_writer.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto read = brivo::editzone::readRtf(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!read)
        return 0;
    // Each byte of input gives at most one character (four UTF-8 bytes).
    if (read->plainText().size() > 4 * size + read->paragraphs.size())
        std::abort();
    const auto again = brivo::editzone::readRtf(brivo::editzone::writeRtf(*read));
    if (!again || again->plainText() != read->plainText())
        std::abort();
    return 0;
}
