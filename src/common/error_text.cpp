#include "common/error_text.h"

#include "common/utf8.h"

namespace brivo {

std::string errorBoxText(const std::string& utf8Message)
{
    const std::u32string codePoints = decodeUtf8(utf8Message);
    if (!codePoints.empty() && codePoints.back() > U'.')
        return utf8Message + ".";
    return utf8Message;
}

} // namespace brivo
