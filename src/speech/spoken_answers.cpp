#include "speech/spoken_answers.h"

#include "common/cp1252.h"
#include "common/utf8.h"
#include "practice/material/word_lists.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace brivo::speech {
namespace {

struct Name {
    char32_t character;
    std::string_view name;
};

// The French names of the characters, as a teacher spells them out.
constexpr std::array<Name, 49> kNames{{
    {U'A', "a"},      {U'B', "bé"},          {U'C', "cé"},
    {U'D', "dé"},     {U'E', "e"},           {U'F', "èf"},
    {U'G', "gé"},     {U'H', "ache"},        {U'I', "i"},
    {U'J', "ji"},     {U'K', "ka"},          {U'L', "èl"},
    {U'M', "èm"},     {U'N', "èn"},          {U'O', "o"},
    {U'P', "pé"},     {U'Q', "ku"},          {U'R', "èr"},
    {U'S', "èss"},    {U'T', "té"},          {U'U', "u"},
    {U'V', "vé"},     {U'W', "double vé"},   {U'X', "ixe"},
    {U'Y', "i grec"}, {U'Z', "zèd"},         {U'0', "zéro"},
    {U'1', "un"},     {U'2', "deux"},        {U'3', "trois"},
    {U'4', "quatre"}, {U'5', "cinq"},        {U'6', "six"},
    {U'7', "sept"},   {U'8', "huit"},        {U'9', "neuf"},
    {U'.', "point"},  {U',', "virgule"},     {U'?', "point d'interrogation"},
    {U'/', "barre"},  {U'\'', "apostrophe"}, {U'@', "arobase"},
    {U'-', "tiret"},  {U'(', "parenthèse"},  {U'=', "bé té"},
    {U'+', "a èr"},   {U'*', "èss ka"},      {U'<', "a èss"},
    {U'$', "erreur"},
}};

std::string nameOf(char32_t c)
{
    for (const Name& n : kNames) {
        if (n.character == c)
            return std::string(n.name);
    }
    std::string text;
    appendUtf8(text, c);
    return text;
}

} // namespace

std::string spokenAnswer(std::u32string_view unit, const WordTest& isWord)
{
    if (isWord && isWord(unit))
        return practice::frenchSpelling(unit).value_or(encodeUtf8(unit));
    std::string spelled;
    for (const char32_t c : unit)
        spelled += (spelled.empty() ? "" : ", ") + nameOf(c);
    return spelled;
}

std::vector<AnswerPoint> answerPoints(const KeyedText& text, const MorseTable& table,
                                      const reception::KeyedMarks& marks, int sampleRate, std::uint64_t totalSamples,
                                      const AnswerSpan& answered)
{
    std::vector<AnswerPoint> points;
    const std::vector<reception::Mark>& keyed = marks.marks;
    std::size_t marksSoFar = 0;
    std::size_t marksAtUnitStart = 0;
    std::u32string unit;
    KeyedText keys;
    const auto close = [&](bool atEnd) {
        if (unit.empty() || marksSoFar == marksAtUnitStart) {
            unit.clear();
            keys.clear();
            return;
        }
        std::uint64_t sample = totalSamples;
        if (!atEnd && marksSoFar < keyed.size()) {
            const double middle = (keyed[marksSoFar - 1].end + keyed[marksSoFar].start) / 2;
            sample =
                std::min<std::uint64_t>(static_cast<std::uint64_t>(std::llround(middle * sampleRate)), totalSamples);
        }
        points.push_back({sample, unit, keys});
        unit.clear();
        keys.clear();
    };
    for (std::size_t at = 0; at < text.size(); ++at) {
        const KeyCode code = text[at];
        const bool blank = code == 0x20 || code == 0x0D || code == 0x0A;
        if (blank) {
            close(false);
            marksAtUnitStart = marksSoFar;
            continue;
        }
        if (code < 256 && at >= answered.from && at < answered.to) {
            const char32_t c = cp1252ToUnicode(static_cast<unsigned char>(code));
            unit += c >= U'a' && c <= U'z' ? c - U'a' + U'A' : c;
            keys.push_back(code);
        }
        for (const char symbol : table.pattern(code))
            marksSoFar += symbol == '.' || symbol == '-' ? 1 : 0;
    }
    close(true);
    // A word whose gap lies past the last key-down answers at the end.
    for (AnswerPoint& point : points)
        point.sample = std::min(point.sample, totalSamples);
    return points;
}

std::uint64_t afterAnswers(std::uint64_t sample, const std::vector<Insertion>& insertions)
{
    std::uint64_t moved = sample;
    for (const Insertion& insertion : insertions)
        moved += insertion.at <= sample ? insertion.length : 0;
    return moved;
}

} // namespace brivo::speech
