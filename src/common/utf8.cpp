#include "common/utf8.h"

#include "common/cp1252.h"

namespace brivo {
std::string encodeUtf8(std::u32string_view codePoints)
{
    std::string out;
    out.reserve(codePoints.size());
    for (const char32_t c : codePoints)
        appendUtf8(out, c);
    return out;
}

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Decodes one sequence at `pos`; returns its length in bytes, or 0 when the
// bytes there are not a well-formed sequence.
std::size_t decodeOne(std::string_view bytes, std::size_t pos, char32_t& out)
{
    const auto byteAt = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
    const unsigned char lead = byteAt(pos);
    if (lead < 0x80) {
        out = lead;
        return 1;
    }
    std::size_t length = 0;
    char32_t value = 0;
    char32_t minimum = 0;
    if ((lead & 0xE0) == 0xC0) {
        length = 2;
        value = lead & 0x1F;
        minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        value = lead & 0x0F;
        minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        value = lead & 0x07;
        minimum = 0x10000;
    } else {
        return 0;
    }
    if (pos + length > bytes.size())
        return 0;
    for (std::size_t i = 1; i < length; ++i) {
        const unsigned char next = byteAt(pos + i);
        if ((next & 0xC0) != 0x80)
            return 0;
        value = (value << 6) | (next & 0x3F);
    }
    if (value < minimum || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
        return 0;
    out = value;
    return length;
}

} // namespace

bool isValidUtf8(std::string_view bytes)
{
    char32_t ignored = 0;
    for (std::size_t pos = 0; pos < bytes.size();) {
        const std::size_t length = decodeOne(bytes, pos, ignored);
        if (length == 0)
            return false;
        pos += length;
    }
    return true;
}

std::u32string decodeUtf8(std::string_view bytes)
{
    std::u32string result;
    result.reserve(bytes.size());
    for (std::size_t pos = 0; pos < bytes.size();) {
        char32_t codePoint = 0;
        const std::size_t length = decodeOne(bytes, pos, codePoint);
        result.push_back(length == 0 ? kReplacement : codePoint);
        pos += length == 0 ? 1 : length;
    }
    return result;
}

void appendUtf8(std::string& out, char32_t codePoint)
{
    if (codePoint < 0x80) {
        out.push_back(static_cast<char>(codePoint));
    } else if (codePoint < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (codePoint >> 6)));
        out.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
    } else if (codePoint < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (codePoint >> 12)));
        out.push_back(static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (codePoint >> 18)));
        out.push_back(static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
    }
}

namespace {

// UTF-16 text after its byte-order mark; a lone surrogate or an odd last
// byte becomes U+FFFD.
std::string utf16ToUtf8(std::string_view bytes, bool bigEndian)
{
    std::string out;
    out.reserve(bytes.size());
    const auto unit = [&](std::size_t i) {
        const auto high = static_cast<unsigned char>(bytes[bigEndian ? i : i + 1]);
        const auto low = static_cast<unsigned char>(bytes[bigEndian ? i + 1 : i]);
        return static_cast<char32_t>(high << 8 | low);
    };
    for (std::size_t i = 0; i < bytes.size(); i += 2) {
        if (i + 1 >= bytes.size()) {
            appendUtf8(out, U'\uFFFD');
            break;
        }
        char32_t c = unit(i);
        if (c >= 0xD800 && c < 0xDC00 && i + 3 < bytes.size() && unit(i + 2) >= 0xDC00 && unit(i + 2) < 0xE000) {
            c = 0x10000 + ((c - 0xD800) << 10) + (unit(i + 2) - 0xDC00);
            i += 2;
        } else if (c >= 0xD800 && c < 0xE000) {
            c = U'\uFFFD';
        }
        appendUtf8(out, c);
    }
    return out;
}

} // namespace

std::string textFileToUtf8(std::string_view bytes)
{
    if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF"))
        return utf16ToUtf8(bytes.substr(2), bytes[0] == '\xFE');
    if (!isValidUtf8(bytes))
        return cp1252ToUtf8(bytes);
    constexpr std::string_view bom = "\xEF\xBB\xBF";
    if (bytes.starts_with(bom))
        bytes.remove_prefix(bom.size());
    return std::string(bytes);
}

} // namespace brivo
