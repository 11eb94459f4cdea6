#include "drills/callsign_run.h"

#include "common/utf8.h"

#include <algorithm>

namespace brivo::drills {

CallResult scoreCall(const std::u32string& call, const std::string& copyUtf8, double wpm, bool replayed)
{
    CallResult result;
    result.call = call;
    result.wpm = wpm;
    result.replayed = replayed;
    const Result<practice::CopyCheck> check = practice::checkCopy(encodeUtf8(call), copyUtf8);
    if (!check) { // a copy too long to align is all wrong
        result.copy = practice::normalise(copyUtf8);
        for (const char32_t c : call)
            result.perCharacter[c] = {result.perCharacter[c].sent + 1, result.perCharacter[c].wrong + 1};
        return result;
    }
    result.copy = check->copied;
    result.perCharacter = check->perCharacter;
    result.right =
        static_cast<int>(std::count_if(check->alignment.begin(), check->alignment.end(), [](const auto& step) {
            return step.kind == practice::AlignmentStep::Kind::Match;
        }));
    result.points = result.right * 5 * wpm / 10 * (replayed ? 0.5 : 1.0);
    return result;
}

double nextCallWpm(double wpm, bool correct)
{
    return std::clamp(wpm + (correct ? kSpeedStepWpm : -kSpeedStepWpm), kSlowestCallWpm, kFastestCallWpm);
}

CallsignRun::CallsignRun(std::vector<std::u32string> calls, double startWpm)
    : calls_(std::move(calls)), wpm_(std::clamp(startWpm, kSlowestCallWpm, kFastestCallWpm))
{}

const CallResult& CallsignRun::answer(const std::string& copyUtf8, bool replayed)
{
    results_.push_back(scoreCall(currentCall(), copyUtf8, wpm_, replayed));
    wpm_ = nextCallWpm(wpm_, results_.back().correct());
    return results_.back();
}

double CallsignRun::points() const
{
    double total = 0;
    for (const CallResult& result : results_)
        total += result.points;
    return total;
}

std::vector<double> CallsignRun::speeds() const
{
    std::vector<double> out;
    out.reserve(results_.size());
    for (const CallResult& result : results_)
        out.push_back(result.wpm);
    return out;
}

} // namespace brivo::drills
