#include "practice/copy_check.h"

#include "common/messages.h"
#include "common/utf8.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cwctype>
#include <locale.h>

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
    return c == U' ' || c == U'\t' || c == U'\r' || c == U'\n';
}

// Which steps into a cell of the distance table are optimal.
enum Step : std::uint8_t { kDiagonal = 1, kDeletion = 2, kInsertion = 4 };

} // namespace

std::u32string normalise(std::string_view utf8)
{
    std::u32string out;
    bool blankPending = false;
    for (const char32_t c : utf8::decode(utf8)) {
        if (isBlank(c)) {
            blankPending = !out.empty();
            continue;
        }
        if (blankPending)
            out += U' ';
        blankPending = false;
        out += upper(c);
    }
    return out;
}

Result<CopyCheck> checkCopy(std::string_view sentUtf8, std::string_view copiedUtf8)
{
    CopyCheck check;
    check.sent = normalise(sentUtf8);
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
    const double length = static_cast<double>(std::max<std::size_t>(1, n));
    check.score = std::max(0.0, 100.0 * (1.0 - static_cast<double>(check.distance) / length));
    return check;
}

std::string scoreText(double score, char decimalSeparator)
{
    const auto tenths = static_cast<long>(std::lround(score * 10));
    return std::to_string(tenths / 10) + decimalSeparator + std::to_string(tenths % 10);
}

} // namespace brivo::practice
