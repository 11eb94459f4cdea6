#include "common/edit_text.h"

#include "common/cp1252.h"
#include "common/utf8.h"

namespace brivo {

KeyedText keyedTextFromUtf8(std::string_view text)
{
    const std::u32string codePoints = decodeUtf8(text);
    KeyedText result;
    result.reserve(codePoints.size());
    for (std::size_t i = 0; i < codePoints.size(); ++i) {
        const char32_t c = codePoints[i];
        if (c == U'\r' || c == U'\n' || c == U'\u2028' || c == U'\u2029') {
            if (c == U'\r' && i + 1 < codePoints.size() && codePoints[i + 1] == U'\n')
                ++i;
            result.push_back('\r');
            result.push_back('\n');
            continue;
        }
        const auto byte = unicodeToCp1252(c);
        result.push_back(byte ? KeyCode{*byte} : kUnencodable);
    }
    return result;
}

} // namespace brivo
