#include "drills/drill_results.h"

#include <cmath>

namespace brivo::drills {
namespace {

void settleScore(practice::CopyCheck& check)
{
    int sent = 0;
    int wrong = 0;
    for (const auto& [c, count] : check.perCharacter) {
        sent += count.sent;
        wrong += count.wrong;
    }
    check.score = sent > 0 ? std::round(1000.0 * (sent - wrong) / sent) / 10 : 0;
}

} // namespace

practice::CopyCheck charactersCheck(const std::vector<CharacterAnswer>& answers)
{
    practice::CopyCheck check;
    for (const CharacterAnswer& answer : answers) {
        check.sent += answer.sent;
        check.copied += answer.typed.value_or(U'?');
        practice::CharacterCount& count = check.perCharacter[answer.sent];
        ++count.sent;
        if (!answer.right()) {
            ++count.wrong;
            if (answer.typed)
                ++check.confusions[{answer.sent, *answer.typed}];
        }
    }
    settleScore(check);
    return check;
}

practice::CopyCheck callsCheck(const std::vector<CallResult>& results)
{
    practice::CopyCheck check;
    for (const CallResult& result : results) {
        if (!check.sent.empty()) {
            check.sent += U' ';
            check.copied += U' ';
        }
        check.sent += result.call;
        check.copied += result.copy;
        for (const auto& [c, count] : result.perCharacter) {
            check.perCharacter[c].sent += count.sent;
            check.perCharacter[c].wrong += count.wrong;
        }
    }
    settleScore(check);
    return check;
}

} // namespace brivo::drills
