#include "practice/copy_check.h"

#include "common/cp1252.h"
#include "common/messages.h"
#include "common/utf8.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cwctype>
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

// A letter and a combining accent that compose into one character, for
// the accented letters of Windows-1252 and of French; nothing otherwise.
char32_t composed(char32_t base, char32_t mark)
{
    struct Row {
        char32_t mark;
        std::u32string_view bases;
        std::u32string_view results;
    };
    static constexpr std::array<Row, 8> rows = {{
        {U'\u0300', U"AEIOUaeiou", U"ÀÈÌÒÙàèìòù"},
        {U'\u0301', U"AEIOUYaeiouy", U"ÁÉÍÓÚÝáéíóúý"},
        {U'\u0302', U"AEIOUaeiou", U"ÂÊÎÔÛâêîôû"},
        {U'\u0303', U"ANOano", U"ÃÑÕãñõ"},
        {U'\u0308', U"AEIOUYaeiouy", U"ÄËÏÖÜŸäëïöüÿ"},
        {U'\u030A', U"Aa", U"Åå"},
        {U'\u0327', U"Cc", U"Çç"},
        {U'\u030C', U"SZsz", U"ŠŽšž"},
    }};
    for (const Row& row : rows) {
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
    const std::optional<unsigned char> byte = cp1252::fromUnicode(c);
    return byte && !table.pattern(*byte).empty();
}

std::u32string normalise(std::string_view utf8, const KeyedPredicate& keyed)
{
    std::u32string decoded = utf8::decode(utf8);
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

Result<CopyCheck> checkCopy(std::string_view sentUtf8, std::string_view copiedUtf8, const KeyedPredicate& keyed)
{
    CopyCheck check;
    check.sent = normalise(sentUtf8, keyed);
    check.copied = normalise(copiedUtf8);
    const std::size_t n = check.sent.size();
    const std::size_t m = check.copied.size();
    if (n > kMaxCheckedCharacters || m > kMaxCheckedCharacters)
        return fail(ErrorCode::TooLong, messages::checkTooLong(kMaxCheckedCharacters));

    // Two rows of distances, and the optimal steps of every cell.
    std::vector<std::uint8_t> steps((n + 1) * (m + 1), 0);
    std::vector<std::size_t> previous(m + 1);
    std::vector<std::size_t> current(m + 1);
    for (std::size_t j = 0; j <= m; ++j) {
        previous[j] = j;
        steps[j] = j > 0 ? kInsertion : 0;
    }
    for (std::size_t i = 1; i <= n; ++i) {
        current[0] = i;
        steps[i * (m + 1)] = kDeletion;
        for (std::size_t j = 1; j <= m; ++j) {
            const std::size_t diagonal = previous[j - 1] + (check.sent[i - 1] == check.copied[j - 1] ? 0 : 1);
            const std::size_t deletion = previous[j] + 1;
            const std::size_t insertion = current[j - 1] + 1;
            const std::size_t best = std::min({diagonal, deletion, insertion});
            current[j] = best;
            steps[i * (m + 1) + j] =
                static_cast<std::uint8_t>((diagonal == best ? kDiagonal : 0) | (deletion == best ? kDeletion : 0) |
                                          (insertion == best ? kInsertion : 0));
        }
        std::swap(previous, current);
    }
    check.distance = previous[m];

    for (std::size_t i = n, j = m; i > 0 || j > 0;) {
        const std::uint8_t step = steps[i * (m + 1) + j];
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
    check.score = static_cast<double>((2000 * kept + length) / (2 * length)) / 10.0;
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
