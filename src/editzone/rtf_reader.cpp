#include "editzone/rtf_reader.h"

#include "common/cp1252.h"
#include "common/messages.h"
#include "common/utf8.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace brivo::editzone {
namespace {

enum class Destination { Text, Skip, FontTable, ColourTable };

struct GroupState {
    Destination destination = Destination::Text;
    int font = -1;
    int colour = 0;
    int halfPoints = 24;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    int fallbackLength = 1; // \uc
};

// Control words whose group holds no text of the document.
constexpr std::array<std::string_view, 41> kSkippedDestinations = {
    "stylesheet", "info",         "pict",
    "object",     "header",       "headerl",
    "headerr",    "headerf",      "footer",
    "footerl",    "footerr",      "footerf",
    "footnote",   "listtable",    "listoverridetable",
    "revtbl",     "rsidtbl",      "xmlnstbl",
    "fldinst",    "themedata",    "colorschememapping",
    "datastore",  "latentstyles", "pgdsctbl",
    "generator",  "listtext",     "pntext",
    "pntxta",     "pntxtb",       "nonshppict",
    "shp",        "shpinst",      "mmathPr",
    "ftnsep",     "ftnsepc",      "aftnsep",
    "aftnsepc",   "bkmkstart",    "bkmkend",
    "filetbl",    "template",
};

bool isLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

int hexValue(char c)
{
    if (isDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

class Reader {
public:
    explicit Reader(std::string_view bytes) : in_(bytes) {}

    Result<Document> run();

private:
    void controlWord(std::string_view word, std::optional<long> parameter);
    void controlSymbol(char symbol);
    void text(char32_t codePoint);
    void byteText(unsigned char byte);
    CharFormat format() const;
    bool skippingFallback();

    std::string_view in_;
    std::size_t pos_ = 0;
    std::vector<GroupState> stack_;
    GroupState state_;
    Document document_;
    std::vector<std::string> fonts_;
    int defaultFont_ = 0;
    int fontEntry_ = -1;
    std::string fontName_;
    std::vector<std::optional<std::uint32_t>> colours_;
    std::array<int, 3> rgb_{};
    bool rgbGiven_ = false;
    bool nextIsIgnorable_ = false;
    int fallbackLeft_ = 0;
    char16_t highSurrogate_ = 0;
    bool cellEnded_ = false; // a blank before the next text of the row
};

Result<Document> Reader::run()
{
    if (!looksLikeRtf(in_))
        return fail(ErrorCode::BadFormat, std::string(messages::kNotRtf));
    while (pos_ < in_.size()) {
        const char c = in_[pos_++];
        if (c == '{') {
            if (stack_.size() >= kMaxRtfDepth)
                return fail(ErrorCode::BadFormat, std::string(messages::kRtfTooDeep));
            stack_.push_back(state_);
            fallbackLeft_ = 0;
        } else if (c == '}') {
            if (state_.destination == Destination::FontTable && fontEntry_ >= 0 && !fontName_.empty()) {
                // An entry closed without its semicolon.
                text(U';');
            }
            if (stack_.empty())
                break;
            state_ = stack_.back();
            stack_.pop_back();
            fallbackLeft_ = 0;
            if (stack_.empty())
                break; // the document's own group is closed
        } else if (c == '\\') {
            if (pos_ >= in_.size())
                break;
            if (!isLetter(in_[pos_])) {
                controlSymbol(in_[pos_++]);
                continue;
            }
            const std::size_t start = pos_;
            while (pos_ < in_.size() && isLetter(in_[pos_]) && pos_ - start < 32)
                ++pos_;
            const std::string_view word = in_.substr(start, pos_ - start);
            std::optional<long> parameter;
            bool negative = false;
            if (pos_ < in_.size() && in_[pos_] == '-' && pos_ + 1 < in_.size() && isDigit(in_[pos_ + 1])) {
                negative = true;
                ++pos_;
            }
            if (pos_ < in_.size() && isDigit(in_[pos_])) {
                long value = 0;
                while (pos_ < in_.size() && isDigit(in_[pos_])) {
                    value = std::min(value * 10 + (in_[pos_] - '0'), 1L << 30);
                    ++pos_;
                }
                parameter = negative ? -value : value;
            }
            if (pos_ < in_.size() && in_[pos_] == ' ')
                ++pos_;
            controlWord(word, parameter);
        } else if (c == '\r' || c == '\n') {
            continue;
        } else {
            byteText(static_cast<unsigned char>(c));
        }
    }
    return std::move(document_);
}

bool Reader::skippingFallback()
{
    if (fallbackLeft_ <= 0)
        return false;
    --fallbackLeft_;
    return true;
}

void Reader::byteText(unsigned char byte)
{
    if (skippingFallback())
        return;
    text(cp1252ToUnicode(byte));
}

void Reader::controlSymbol(char symbol)
{
    switch (symbol) {
    case '\\':
    case '{':
    case '}':
        byteText(static_cast<unsigned char>(symbol));
        break;
    case '\'': {
        if (pos_ + 2 > in_.size())
            return;
        const int high = hexValue(in_[pos_]);
        const int low = hexValue(in_[pos_ + 1]);
        pos_ += 2;
        if (high >= 0 && low >= 0)
            byteText(static_cast<unsigned char>(high * 16 + low));
        break;
    }
    case '*':
        nextIsIgnorable_ = true;
        return;
    case '~':
        text(U'\u00A0');
        break;
    case '_':
        text(U'\u2011');
        break;
    case '\r':
    case '\n':
        controlWord("par", std::nullopt);
        break;
    default: // \- optional hyphen, \| and others: nothing to show
        break;
    }
    nextIsIgnorable_ = false;
}

void Reader::text(char32_t codePoint)
{
    // No control character is text, but the tab.
    if (codePoint < 0x20 && codePoint != U'\t')
        return;
    switch (state_.destination) {
    case Destination::Skip:
        return;
    case Destination::FontTable:
        if (codePoint == U';') {
            if (fontEntry_ >= 0 && fontEntry_ < 4096) {
                if (fonts_.size() <= static_cast<std::size_t>(fontEntry_))
                    fonts_.resize(static_cast<std::size_t>(fontEntry_) + 1);
                fonts_[static_cast<std::size_t>(fontEntry_)] = fontName_;
            }
            fontName_.clear();
            fontEntry_ = -1;
        } else if (fontName_.size() < 256) {
            appendUtf8(fontName_, codePoint);
        }
        return;
    case Destination::ColourTable:
        if (codePoint == U';' && colours_.size() < 4096) {
            colours_.push_back(rgbGiven_ ? std::optional<std::uint32_t>(
                                               static_cast<std::uint32_t>(rgb_[0] | rgb_[1] << 8 | rgb_[2] << 16))
                                         : std::nullopt);
            rgb_ = {};
            rgbGiven_ = false;
        }
        return;
    case Destination::Text:
        break;
    }
    std::string bytes;
    if (cellEnded_)
        bytes = " ";
    cellEnded_ = false;
    appendUtf8(bytes, codePoint);
    document_.append(bytes, format());
}

CharFormat Reader::format() const
{
    CharFormat format;
    const int font = state_.font >= 0 ? state_.font : defaultFont_;
    if (font >= 0 && static_cast<std::size_t>(font) < fonts_.size())
        format.font = fonts_[static_cast<std::size_t>(font)];
    if (state_.colour > 0 && static_cast<std::size_t>(state_.colour) < colours_.size())
        format.colour = colours_[static_cast<std::size_t>(state_.colour)];
    format.halfPoints = state_.halfPoints;
    format.bold = state_.bold;
    format.italic = state_.italic;
    format.underline = state_.underline;
    format.strikeOut = state_.strikeOut;
    return format;
}

void Reader::controlWord(std::string_view word, std::optional<long> parameter)
{
    const bool ignorable = nextIsIgnorable_;
    nextIsIgnorable_ = false;
    const long value = parameter.value_or(1);
    const auto toggle = [&](bool& flag) { flag = value != 0; };
    const auto skipGroup = [this] { state_.destination = Destination::Skip; };

    if (word == "bin") {
        // Raw bytes that must not be read as RTF.
        pos_ += static_cast<std::size_t>(std::clamp<long>(value, 0, static_cast<long>(in_.size() - pos_)));
        return;
    }
    if (state_.destination == Destination::Skip)
        return;

    if (word == "fonttbl") {
        state_.destination = Destination::FontTable;
    } else if (word == "colortbl") {
        state_.destination = Destination::ColourTable;
        colours_.clear();
    } else if (std::find(kSkippedDestinations.begin(), kSkippedDestinations.end(), word) !=
                   kSkippedDestinations.end() ||
               (ignorable && word != "fldrslt")) {
        skipGroup(); // a field's result is text, even marked ignorable; \*\panose, \*\falt ... are not
    } else if (state_.destination == Destination::FontTable) {
        if (word == "f" && parameter)
            fontEntry_ = static_cast<int>(*parameter);
    } else if (state_.destination == Destination::ColourTable) {
        const auto component = static_cast<int>(std::clamp<long>(value, 0, 255));
        if (word == "red")
            rgb_[0] = component, rgbGiven_ = true;
        else if (word == "green")
            rgb_[1] = component, rgbGiven_ = true;
        else if (word == "blue")
            rgb_[2] = component, rgbGiven_ = true;
    } else if (word == "par" || word == "row" || word == "page" || word == "sect") {
        // A table's row, like a page or a section, ends where a paragraph does.
        cellEnded_ = false;
        document_.newParagraph();
    } else if (word == "cell") {
        cellEnded_ = true;
    } else if (word == "line") {
        text(U'\u2028');
    } else if (word == "tab") {
        text(U'\t');
    } else if (word == "emdash") {
        text(U'\u2014');
    } else if (word == "endash") {
        text(U'\u2013');
    } else if (word == "lquote") {
        text(U'\u2018');
    } else if (word == "rquote") {
        text(U'\u2019');
    } else if (word == "ldblquote") {
        text(U'\u201C');
    } else if (word == "rdblquote") {
        text(U'\u201D');
    } else if (word == "bullet") {
        text(U'\u2022');
    } else if (word == "u" && parameter && *parameter >= -32768 && *parameter <= 65535) {
        const auto unit = static_cast<char16_t>(*parameter < 0 ? *parameter + 65536 : *parameter);
        if (unit >= 0xD800 && unit <= 0xDBFF) {
            highSurrogate_ = unit;
        } else if (unit >= 0xDC00 && unit <= 0xDFFF) {
            if (highSurrogate_ != 0)
                text(0x10000 + ((static_cast<char32_t>(highSurrogate_) - 0xD800) << 10) + (unit - 0xDC00));
            highSurrogate_ = 0;
        } else {
            highSurrogate_ = 0;
            text(unit);
        }
        fallbackLeft_ = state_.fallbackLength;
    } else if (word == "uc") {
        state_.fallbackLength = static_cast<int>(std::clamp<long>(value, 0, 16));
    } else if (word == "deff") {
        defaultFont_ = static_cast<int>(std::clamp<long>(value, 0, 4095));
    } else if (word == "f") {
        state_.font = static_cast<int>(std::clamp<long>(value, 0, 4095));
    } else if (word == "fs") {
        state_.halfPoints = static_cast<int>(std::clamp<long>(value, 1, 3276));
    } else if (word == "cf") {
        state_.colour = static_cast<int>(std::clamp<long>(value, 0, 4095));
    } else if (word == "b") {
        toggle(state_.bold);
    } else if (word == "i") {
        toggle(state_.italic);
    } else if (word == "ul") {
        toggle(state_.underline);
    } else if (word == "ulnone") {
        state_.underline = false;
    } else if (word == "strike") {
        toggle(state_.strikeOut);
    } else if (word == "plain") {
        const GroupState kept = state_;
        state_ = GroupState{};
        state_.destination = kept.destination;
        state_.fallbackLength = kept.fallbackLength;
    }
}

} // namespace

bool looksLikeRtf(std::string_view bytes)
{
    return bytes.starts_with("{\\rtf");
}

Result<Document> readRtf(std::string_view bytes)
{
    return Reader(bytes).run();
}

} // namespace brivo::editzone
