#pragma once

#include "common/result.h"
#include "morse/morse_table.h"

#include <cstddef>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace brivo::practice {

// Texts longer than this (after normalisation) are refused: a chapter of a
// book. The alignment keeps one byte per cell of a band around the
// diagonal as wide as the distance, at most kMaxAlignmentCells (a long
// text copied with too many errors is refused too).
inline constexpr std::size_t kMaxCheckedCharacters = 100000;
inline constexpr std::size_t kMaxAlignmentCells = std::size_t{256} << 20U;

// Which characters were heard: those with a pattern in the code table in
// use. Without it, every character counts.
using KeyedPredicate = std::function<bool(char32_t)>;
bool hasPattern(const MorseTable& table, char32_t c);

// What a character sounds as: an accented letter that the table keys with
// its base letter's pattern ("É" as "E" in the built-in table) is heard as
// that letter; any other character as itself.
using SoundsAs = std::function<char32_t(char32_t)>;
char32_t soundsAs(const MorseTable& table, char32_t c);

// Composed (NFC) for the accented letters of the Latin alphabets, so that a
// letter typed with a combining accent is the same letter; upper case
// (Unicode, one character to one); every run of blanks (tabs, line breaks,
// no-break and the other Unicode spaces) made one blank, none at either
// end; characters that `keyed` refuses dropped. Malformed UTF-8 gives
// U+FFFD.
std::u32string normalise(std::string_view utf8, const KeyedPredicate& keyed = {});

// One step of the alignment of the sent text with the copy.
struct AlignmentStep {
    enum class Kind { Match, Substitution, Deletion, Insertion };
    Kind kind;
    char32_t sent = 0;   // 0 for an insertion
    char32_t copied = 0; // 0 for a deletion
};

struct CharacterCount {
    int sent = 0;
    int wrong = 0; // substituted or deleted
};

// The comparison of a copy with the text that was sent.
struct CopyCheck {
    std::u32string sent;      // normalised
    std::u32string copied;    // normalised
    std::size_t distance = 0; // Levenshtein, blanks included, every cost 1
    double score = 0;         // 0 .. 100, to a tenth, rounded half up from the exact ratio
    int substitutions = 0;
    int deletions = 0;
    int insertions = 0;
    std::vector<AlignmentStep> alignment;                    // from the first character to the last
    std::map<char32_t, CharacterCount> perCharacter;         // non-blank sent characters
    std::map<std::pair<char32_t, char32_t>, int> confusions; // sent -> copied
};

// Compares the copy with the sent text, both UTF-8; a sent character that
// `keyed` refuses was never heard and is left out of everything; with
// `heardAs`, both texts are compared as they sound ("CAFE" is right for a
// "CAFÉ" keyed as plain letters). Among the
// alignments of least cost, the one given keeps runs of matches together
// and matches the copy as early as it can, so a copy that stops short
// leaves the end of the text omitted, and equal inputs always give the
// same alignment. Refused (TooLong, French message) when either
// normalised text exceeds kMaxCheckedCharacters, or its alignment would
// need more than kMaxAlignmentCells. Time and memory grow as the length
// times the distance.
Result<CopyCheck> checkCopy(std::string_view sentUtf8, std::string_view copiedUtf8, const KeyedPredicate& keyed = {},
                            const SoundsAs& heardAs = {});

// The score with one decimal: "81,8" (or "81.8" with a '.' separator).
std::string scoreText(double score, char decimalSeparator = ',');

} // namespace brivo::practice
