#include "editzone/rtf_writer.h"

#include "common/cp1252.h"
#include "common/utf8.h"

#include <algorithm>
#include <cstdio>

namespace brivo::editzone {
namespace {

template <typename T> std::size_t indexOf(std::vector<T>& table, const T& value)
{
    const auto found = std::find(table.begin(), table.end(), value);
    if (found != table.end())
        return static_cast<std::size_t>(found - table.begin());
    table.push_back(value);
    return table.size() - 1;
}

void appendEscaped(std::string& out, std::string_view utf8Text)
{
    for (const char32_t c : decodeUtf8(utf8Text)) {
        if (c == U'\\' || c == U'{' || c == U'}') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c == U'\t') {
            out += "\\tab ";
        } else if (c == U'\u2028') {
            out += "\\line ";
        } else if (c >= 0x20 && c < 0x7F) {
            out += static_cast<char>(c);
        } else if (c < 0x20) {
            continue; // no control character in the text
        } else if (const auto byte = unicodeToCp1252(c)) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\'%02x", *byte);
            out += hex;
        } else {
            const auto unit = [&out](unsigned value) {
                // The fallback "?" written as \'3f: pandoc drops a blank that
                // follows a bare "?".
                out += "\\u" + std::to_string(static_cast<int>(static_cast<std::int16_t>(value))) + "\\'3f";
            };
            if (c > 0xFFFF) {
                unit(0xD800 + ((c - 0x10000) >> 10));
                unit(0xDC00 + ((c - 0x10000) & 0x3FF));
            } else {
                unit(c);
            }
        }
    }
}

} // namespace

std::string writeRtf(const Document& document)
{
    std::vector<std::string> fonts;
    std::vector<std::uint32_t> colours;
    std::string body;
    for (std::size_t p = 0; p < document.paragraphs.size(); ++p) {
        if (p > 0)
            body += "\\par\n";
        for (const auto& run : document.paragraphs[p].runs) {
            const CharFormat& f = run.format;
            body += "{\\f" + std::to_string(indexOf(fonts, f.font)) + "\\fs" + std::to_string(f.halfPoints);
            if (f.bold)
                body += "\\b";
            if (f.italic)
                body += "\\i";
            if (f.underline)
                body += "\\ul";
            if (f.strikeOut)
                body += "\\strike";
            if (f.colour)
                body += "\\cf" + std::to_string(indexOf(colours, *f.colour) + 1); // 0 is the automatic colour
            body += ' ';
            appendEscaped(body, run.text);
            body += '}';
        }
    }
    if (fonts.empty())
        fonts.emplace_back();

    std::string out = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1\n{\\fonttbl";
    for (std::size_t i = 0; i < fonts.size(); ++i) {
        out += "{\\f" + std::to_string(i) + "\\fnil\\fcharset0 ";
        appendEscaped(out, fonts[i].empty() ? "Courier New" : fonts[i]);
        out += ";}";
    }
    out += "}\n{\\colortbl ;";
    for (const std::uint32_t colour : colours) {
        out += "\\red" + std::to_string(colour & 0xFF) + "\\green" + std::to_string((colour >> 8) & 0xFF) + "\\blue" +
               std::to_string((colour >> 16) & 0xFF) + ";";
    }
    out += "}\n\\pard\\plain\n" + body + "}\n";
    return out;
}

} // namespace brivo::editzone
