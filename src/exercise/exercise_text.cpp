#include "exercise/exercise_text.h"

namespace brivo::exercise {
namespace {

constexpr int kGroupSize = 5;
constexpr int kWordLetters = 180;

char32_t draw(std::u32string_view pool, RandomGenerator& random)
{
    return pool[random.below(static_cast<std::uint32_t>(pool.size()))];
}

void appendGroup(std::u32string& text, std::u32string_view pool, int size, RandomGenerator& random)
{
    for (int i = 0; i < size; ++i)
        text.push_back(draw(pool, random));
    text.push_back(U' ');
}

void appendGroups(std::u32string& text, std::u32string_view pool, int count, RandomGenerator& random)
{
    for (int i = 0; i < count; ++i)
        appendGroup(text, pool, kGroupSize, random);
}

// 36 groups whose characters alternate letter and digit through the whole
// text: a digit where group + position (both from 1) is odd.
void appendAlternating(std::u32string& text, RandomGenerator& random)
{
    for (int group = 1; group <= 36; ++group) {
        for (int position = 1; position <= kGroupSize; ++position)
            text.push_back(draw((group + position) % 2 == 1 ? kDigits : kLetters, random));
        text.push_back(U' ');
    }
}

// Words of 2..8 letters (the length drawn before its letters) until 180
// letters; the last word stops at the 180th letter.
void appendWords(std::u32string& text, RandomGenerator& random)
{
    int letters = 0;
    while (letters < kWordLetters) {
        const auto length = static_cast<int>(random.below(7)) + 2;
        for (int i = 0; i < length && letters < kWordLetters; ++i, ++letters)
            text.push_back(draw(kLetters, random));
        text.push_back(U' ');
    }
}

} // namespace

std::u32string seriesPool(const std::array<std::u32string, 9>& series, const std::array<bool, 9>& ticked)
{
    std::u32string pool;
    for (std::size_t i = 0; i < series.size(); ++i) {
        if (ticked[i])
            pool += series[i];
    }
    return pool;
}

std::optional<std::u32string> seriesFill(std::u32string_view pool, int groups, int perGroup, RandomGenerator& random)
{
    if (pool.empty())
        return std::nullopt;
    std::u32string text;
    for (int i = 0; i < groups; ++i)
        appendGroup(text, pool, perGroup, random);
    return text;
}

std::optional<std::u32string> lettersAndDigitsFill(int letterGroups, int digitGroups, RandomGenerator& random)
{
    if (letterGroups <= 0 && digitGroups <= 0)
        return std::nullopt;
    std::u32string text;
    appendGroups(text, kLetters, letterGroups, random);
    appendGroups(text, kDigits, digitGroups, random);
    return text;
}

std::u32string pattern(int number, RandomGenerator& random)
{
    std::u32string text;
    switch (number) {
    case 1:
        appendGroups(text, kLetters, 36, random);
        break;
    case 2:
        appendGroups(text, kLetters, 18, random);
        appendGroups(text, kDigits, 18, random);
        break;
    case 3:
        appendGroups(text, kLetters, 21, random);
        appendGroups(text, kDigits, 21, random);
        break;
    case 4:
        for (int i = 0; i < 18; ++i) {
            appendGroups(text, kLetters, 1, random);
            appendGroups(text, kDigits, 1, random);
        }
        break;
    case 5:
        for (int i = 0; i < 12; ++i) {
            appendGroups(text, kLetters, 2, random);
            appendGroups(text, kDigits, 1, random);
        }
        break;
    case 6:
        appendGroups(text, kLetters, 30, random);
        appendGroups(text, kDigits, 6, random);
        break;
    case 7:
        appendAlternating(text, random);
        break;
    case 8:
        appendGroups(text, kMixed, 36, random);
        break;
    case 9:
        appendWords(text, random);
        break;
    default:
        break;
    }
    return text;
}

} // namespace brivo::exercise
