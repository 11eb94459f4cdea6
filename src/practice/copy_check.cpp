#include "practice/copy_check.h"

#include "common/cp1252.h"
#include "common/messages.h"
#include "common/utf8.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cwctype>
#include <limits>
#include <locale.h>
#include <optional>

namespace brivo::practice {
namespace {

// Full Unicode case mappings come with the C.UTF-8 locale, whatever the
// user's own locale is.
char32_t upper(char32_t c)
{
    static const locale_t unicode = newlocale(LC_CTYPE_MASK, "C.UTF-8", locale_t{});
    if (unicode != locale_t{})
        return static_cast<char32_t>(towupper_l(static_cast<wint_t>(c), unicode));
    return c >= U'a' && c <= U'z' ? c - U'a' + U'A' : c;
}

bool isBlank(char32_t c)
{
    switch (c) {
    case U' ':
    case U'\t':
    case U'\n':
    case U'\v':
    case U'\f':
    case U'\r':
    case U'\u0085':
    case U'\u00A0':
    case U'\u1680':
    case U'\u2028':
    case U'\u2029':
    case U'\u202F':
    case U'\u205F':
    case U'\u3000':
        return true;
    default:
        return c >= U'\u2000' && c <= U'\u200A';
    }
}

// The accented letters of Windows-1252 and of French, by combining mark.
struct AccentRow {
    char32_t mark;
    std::u32string_view bases;
    std::u32string_view results;
};
constexpr std::array<AccentRow, 8> kAccentRows = {{
    {U'\u0300', U"AEIOUaeiou", U"ÀÈÌÒÙàèìòù"},
    {U'\u0301', U"AEIOUYaeiouy", U"ÁÉÍÓÚÝáéíóúý"},
    {U'\u0302', U"AEIOUaeiou", U"ÂÊÎÔÛâêîôû"},
    {U'\u0303', U"ANOano", U"ÃÑÕãñõ"},
    {U'\u0308', U"AEIOUYaeiouy", U"ÄËÏÖÜŸäëïöüÿ"},
    {U'\u030A', U"Aa", U"Åå"},
    {U'\u0327', U"Cc", U"Çç"},
    {U'\u030C', U"SZsz", U"ŠŽšž"},
}};

// A letter and a combining accent that compose into one character; nothing
// otherwise.
char32_t composed(char32_t base, char32_t mark)
{
    for (const AccentRow& row : kAccentRows) {
        if (row.mark != mark)
            continue;
        const std::size_t at = row.bases.find(base);
        return at == std::u32string_view::npos ? 0 : row.results[at];
    }
    return 0;
}

// Which steps into a cell of the distance table are optimal.
enum Step : std::uint8_t { kDiagonal = 1, kDeletion = 2, kInsertion = 4 };

} // namespace

bool hasPattern(const MorseTable& table, char32_t c)
{
    const std::optional<unsigned char> byte = unicodeToCp1252(c);
    return byte && !table.pattern(*byte).empty();
}

char32_t soundsAs(const MorseTable& table, char32_t c)
{
    const std::optional<unsigned char> byte = unicodeToCp1252(c);
    if (!byte || table.pattern(*byte).empty())
        return c;
    for (const AccentRow& row : kAccentRows) {
        const std::size_t at = row.results.find(c);
        if (at == std::u32string_view::npos)
            continue;
        const std::optional<unsigned char> base = unicodeToCp1252(row.bases[at]);
        return base && table.pattern(*base) == table.pattern(*byte) ? row.bases[at] : c;
    }
    return c;
}

std::u32string normalise(std::string_view utf8, const KeyedPredicate& keyed)
{
    std::u32string decoded = decodeUtf8(utf8);
    std::u32string composedText;
    composedText.reserve(decoded.size());
    for (const char32_t c : decoded) {
        const char32_t both = composedText.empty() ? 0 : composed(composedText.back(), c);
        if (both != 0)
            composedText.back() = both;
        else
            composedText += c;
    }
    std::u32string out;
    bool blankPending = false;
    for (const char32_t c : composedText) {
        if (isBlank(c)) {
            blankPending = !out.empty();
            continue;
        }
        const char32_t letter = upper(c);
        if (keyed && !keyed(letter))
            continue;
        if (blankPending)
            out += U' ';
        blankPending = false;
        out += letter;
    }
    return out;
}

Result<CopyCheck> checkCopy(std::string_view sentUtf8, std::string_view copiedUtf8, const KeyedPredicate& keyed,
                            const SoundsAs& heardAs)
{
    CopyCheck check;
    check.sent = normalise(sentUtf8, keyed);
    check.copied = normalise(copiedUtf8);
    if (heardAs) {
        for (std::u32string* text : {&check.sent, &check.copied})
            std::ranges::transform(*text, text->begin(), heardAs);
    }
    const std::size_t n = check.sent.size();
    const std::size_t m = check.copied.size();
    if (n > kMaxCheckedCharacters || m > kMaxCheckedCharacters)
        return fail(ErrorCode::TooLong, messages::checkTooLong(kMaxCheckedCharacters));

    // The distances in a band of diagonals of the table, which widens until
    // it holds the optimal distance (Ukkonen). A path through (i, j) costs
    // at least |j - i| to get there and |(m - n) - (j - i)| from there on,
    // so every path of cost t or less keeps j - i within
    // [min(0, g) - s, max(0, g) + s], with g = m - n and s = (t - |g|) / 2.
    // Once the band of t holds a distance of t or less, it is the optimal
    // one, with the very optimal steps of the whole table: the trace-back
    // is the same.
    using Offset = std::ptrdiff_t;
    const Offset g = static_cast<Offset>(m) - static_cast<Offset>(n);
    std::size_t threshold = std::max<std::size_t>(static_cast<std::size_t>(std::abs(g)), 64);
    std::vector<std::uint8_t> steps;
    Offset low = 0;
    std::size_t width = 0;
    const auto at = [&](std::size_t i, std::size_t j) {
        return i * width + static_cast<std::size_t>(static_cast<Offset>(j) - static_cast<Offset>(i) - low);
    };
    for (;;) {
        const Offset spread = (static_cast<Offset>(threshold) - std::abs(g)) / 2;
        low = std::min<Offset>(0, g) - spread;
        const Offset high = std::max<Offset>(0, g) + spread;
        width = static_cast<std::size_t>(high - low + 1);
        if ((n + 1) * width > kMaxAlignmentCells)
            return fail(ErrorCode::TooLong, messages::checkTooManyErrors());
        steps.assign((n + 1) * width, 0);
        // Rows of the band, with one cell of margin at each end.
        constexpr std::size_t kFar = std::numeric_limits<std::size_t>::max() / 2;
        std::vector<std::size_t> previous(width + 2, kFar);
        std::vector<std::size_t> current(width + 2, kFar);
        for (std::size_t j = 0; j <= m && static_cast<Offset>(j) <= high; ++j) {
            if (static_cast<Offset>(j) < low)
                continue;
            previous[static_cast<std::size_t>(static_cast<Offset>(j) - low) + 1] = j;
            steps[at(0, j)] = j > 0 ? kInsertion : 0;
        }
        for (std::size_t i = 1; i <= n; ++i) {
            std::fill(current.begin(), current.end(), kFar);
            const Offset first = std::max<Offset>(0, static_cast<Offset>(i) + low);
            const Offset last = std::min<Offset>(static_cast<Offset>(m), static_cast<Offset>(i) + high);
            const char32_t sent = check.sent[i - 1];
            for (Offset jj = first; jj <= last; ++jj) {
                const auto j = static_cast<std::size_t>(jj);
                // This cell's place in the row: (i-1, j-1) sits at the same
                // place in the row above, (i-1, j) one to the right, (i, j-1)
                // one to the left.
                const std::size_t k = static_cast<std::size_t>(jj - static_cast<Offset>(i) - low) + 1;
                std::uint8_t& step = steps[at(i, j)];
                if (j == 0) {
                    current[k] = i;
                    step = kDeletion;
                    continue;
                }
                const std::size_t diagonal = previous[k] + (sent == check.copied[j - 1] ? 0 : 1);
                const std::size_t deletion = previous[k + 1] + 1;
                const std::size_t insertion = current[k - 1] + 1;
                const std::size_t best = std::min({diagonal, deletion, insertion});
                current[k] = best;
                step =
                    static_cast<std::uint8_t>((diagonal == best ? kDiagonal : 0) | (deletion == best ? kDeletion : 0) |
                                              (insertion == best ? kInsertion : 0));
            }
            std::swap(previous, current);
        }
        check.distance = previous[static_cast<std::size_t>(g - low) + 1];
        if (check.distance <= threshold || threshold >= n + m)
            break;
        threshold *= 2;
    }

    // Among the optimal steps, a run of matches is kept going, and
    // otherwise a gap is taken here, at the end, rather than earlier: the
    // copy is then matched as early as it can be, as a trainee who stopped
    // copying or went on too long reads it.
    bool inRun = false;
    for (std::size_t i = n, j = m; i > 0 || j > 0;) {
        std::uint8_t step = steps[at(i, j)];
        const bool diagonalMatch = (step & kDiagonal) != 0 && check.sent[i - 1] == check.copied[j - 1];
        if (inRun && diagonalMatch)
            step = kDiagonal;
        else if ((step & kDeletion) != 0)
            step = kDeletion;
        else if ((step & kInsertion) != 0)
            step = kInsertion;
        inRun = step == kDiagonal && diagonalMatch;
        if ((step & kDiagonal) != 0) {
            --i;
            --j;
            const bool same = check.sent[i] == check.copied[j];
            check.alignment.push_back({same ? AlignmentStep::Kind::Match : AlignmentStep::Kind::Substitution,
                                       check.sent[i], check.copied[j]});
        } else if ((step & kDeletion) != 0) {
            --i;
            check.alignment.push_back({AlignmentStep::Kind::Deletion, check.sent[i], 0});
        } else {
            --j;
            check.alignment.push_back({AlignmentStep::Kind::Insertion, 0, check.copied[j]});
        }
    }
    std::reverse(check.alignment.begin(), check.alignment.end());

    for (const AlignmentStep& step : check.alignment) {
        const bool wrong = step.kind == AlignmentStep::Kind::Substitution || step.kind == AlignmentStep::Kind::Deletion;
        if (step.kind == AlignmentStep::Kind::Substitution) {
            ++check.substitutions;
            ++check.confusions[{step.sent, step.copied}];
        } else if (step.kind == AlignmentStep::Kind::Deletion) {
            ++check.deletions;
        } else if (step.kind == AlignmentStep::Kind::Insertion) {
            ++check.insertions;
        }
        if (step.sent != 0 && step.sent != U' ') {
            CharacterCount& count = check.perCharacter[step.sent];
            ++count.sent;
            count.wrong += wrong ? 1 : 0;
        }
    }
    // Tenths of a percent of (n - d) / n, rounded half up in integers.
    const std::uint64_t length = std::max<std::size_t>(1, n);
    const std::uint64_t kept = n > check.distance ? n - check.distance : 0;
    const std::uint64_t tenths = (2000 * kept + length) / (2 * length); // rounded half up
    check.score = static_cast<double>(tenths) / 10.0;
    if (n == 0)
        check.score = check.distance == 0 ? 100.0 : 0.0;
    return check;
}

std::string scoreText(double score, char decimalSeparator)
{
    const auto tenths = static_cast<long>(std::lround(score * 10));
    return std::to_string(tenths / 10) + decimalSeparator + std::to_string(tenths % 10);
}

} // namespace brivo::practice
