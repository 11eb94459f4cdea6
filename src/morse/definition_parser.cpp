#include "morse/definition_parser.h"

#include <optional>

namespace brivo {
namespace {

constexpr std::size_t kScanLimit = 95;
// A key that starts at the last position a scan reaches (94) ends two
// characters further on.
constexpr std::size_t kKeyLimit = kScanLimit + 1;

// A line as the parser sees it: nothing past position 95 is scanned, and
// only a key reaches position 96. A NUL is a character like any other.
class LineView {
public:
    explicit LineView(std::string_view line) : line_(line) {}

    // The character at `pos`, or nothing past the line or the scan limit.
    std::optional<char> at(std::size_t pos, std::size_t limit = kScanLimit) const
    {
        if (pos > limit || pos >= line_.size())
            return std::nullopt;
        return line_[pos];
    }

    std::size_t skipBlanks(std::size_t pos) const
    {
        while (at(pos) == ' ')
            ++pos;
        return pos;
    }

private:
    std::string_view line_;
};

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The key at `pos`, or -1 when the line holds no valid key there.
int readKey(const LineView& line, std::size_t pos)
{
    const std::optional<char> first = line.at(pos, kKeyLimit);
    const std::optional<char> second = line.at(pos + 1, kKeyLimit);
    const std::optional<char> third = line.at(pos + 2, kKeyLimit);
    if (!first || !second || !third)
        return -1;
    if (*first == '"' && *third == '"')
        return static_cast<unsigned char>(*second);
    if (isDigit(*first) && isDigit(*second) && isDigit(*third)) {
        const int value = 100 * (*first - '0') + 10 * (*second - '0') + (*third - '0');
        return value <= 255 ? value : -1;
    }
    return -1;
}

} // namespace

void parseDefinitionLine(std::string_view line, MorseTable& table)
{
    const LineView view(line);
    std::size_t pos = 0;
    while (pos < kScanLimit && view.at(pos) == ' ')
        ++pos;
    if (pos == kScanLimit)
        return;

    const int key = readKey(view, pos);
    if (key < 0)
        return;
    const auto byte = static_cast<unsigned char>(key);
    table.clear(byte);

    pos = view.skipBlanks(pos + 3);
    if (view.at(pos) != '=')
        return;
    pos = view.skipBlanks(pos + 1);
    if (view.at(pos) != '"')
        return;

    std::size_t stored = 0;
    for (++pos; pos < kScanLimit && stored < MorseTable::kMaxSymbols; ++pos) {
        const std::optional<char> c = view.at(pos);
        if (!c || *c == '"')
            break;
        if (*c == '.' || *c == '-' || *c == ' ') {
            table.appendSymbol(byte, *c);
            ++stored;
        }
    }
}

void parseDefinitions(std::string_view content, MorseTable& table)
{
    std::string piece;
    piece.reserve(kMaxPieceLength);
    for (const char c : content) {
        if (c == '\x1A')
            break;
        if (c == '\r')
            continue;
        piece.push_back(c);
        if (c == '\n' || piece.size() == kMaxPieceLength) {
            parseDefinitionLine(piece, table);
            piece.clear();
        }
    }
    if (!piece.empty())
        parseDefinitionLine(piece, table);
}

MorseTable tableFromContent(std::string_view content)
{
    MorseTable table;
    parseDefinitions(content, table);
    return table;
}

} // namespace brivo
