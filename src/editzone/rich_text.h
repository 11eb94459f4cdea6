#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace brivo::editzone {

// The look of a run of characters.
struct CharFormat {
    std::string font;    // face name, UTF-8; empty: the zone's own
    int halfPoints = 24; // size in half points (24 is 12 points)
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    std::optional<std::uint32_t> colour; // 0x00BBGGRR; none: the automatic text colour

    bool operator==(const CharFormat&) const = default;
};

// Characters of one format, in UTF-8: a tab is '\t', a line break inside
// the paragraph U+2028; there is no paragraph break in a run.
struct Run {
    std::string text;
    CharFormat format;

    bool operator==(const Run&) const = default;
};

struct Paragraph {
    std::vector<Run> runs;

    bool operator==(const Paragraph&) const = default;
};

// A text with its formatting: one paragraph at least.
struct Document {
    std::vector<Paragraph> paragraphs{Paragraph{}};

    // Appends `text` (no paragraph break) to the last paragraph, joining
    // the last run when the format is the same.
    void append(std::string_view text, const CharFormat& format);
    void newParagraph() { paragraphs.emplace_back(); }

    // The text alone, paragraphs joined by '\n'.
    std::string plainText() const;

    bool operator==(const Document&) const = default;
};

} // namespace brivo::editzone
