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

std::u32string seriesPool(const SeriesTexts& series, const SeriesTicks& ticked)
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
    // Patterns made of whole groups: `repeats` times, each run of groups in
    // order. Patterns 7 and 9 have layouts of their own.
    struct Run {
        std::u32string_view pool;
        int groups;
    };
    struct Layout {
        int repeats;
        std::array<Run, 2> runs;
    };
    static constexpr std::array<Layout, kPatternCount> layouts = {{
        {1, {{{kLetters, 36}, {}}}},
        {1, {{{kLetters, 18}, {kDigits, 18}}}},
        {1, {{{kLetters, 21}, {kDigits, 21}}}},
        {18, {{{kLetters, 1}, {kDigits, 1}}}},
        {12, {{{kLetters, 2}, {kDigits, 1}}}},
        {1, {{{kLetters, 30}, {kDigits, 6}}}},
        {0, {}},
        {1, {{{kMixed, 36}, {}}}},
        {0, {}},
    }};

    std::u32string text;
    if (number == 7) {
        appendAlternating(text, random);
    } else if (number == 9) {
        appendWords(text, random);
    } else if (number >= 1 && number <= kPatternCount) {
        const Layout& layout = layouts[static_cast<std::size_t>(number - 1)];
        for (int i = 0; i < layout.repeats; ++i) {
            for (const Run& run : layout.runs)
                appendGroups(text, run.pool, run.groups, random);
        }
    }
    return text;
}

} // namespace brivo::exercise
