#pragma once

#include "practice/copy_check.h"

#include <string>
#include <vector>

namespace brivo::drills {

inline constexpr int kCallsPerRun = 50;
inline constexpr double kSpeedStepWpm = 2;
inline constexpr double kSlowestCallWpm = 5;
inline constexpr double kFastestCallWpm = 60;

// One call as it was copied. The copy is aligned with the call by their
// edit distance, so a missed or an extra character costs only itself.
// Points = characters right x speed in characters per minute (5 x WPM) /
// 10, halved when the call was played a second time.
struct CallResult {
    std::u32string call;
    std::u32string copy; // normalised
    double wpm = 0;
    bool replayed = false;
    int right = 0; // characters of the call copied right
    double points = 0;
    std::map<char32_t, practice::CharacterCount> perCharacter;

    bool correct() const { return copy == call; }
};

CallResult scoreCall(const std::u32string& call, const std::string& copyUtf8, double wpm, bool replayed);

// The speed of the next call: 2 WPM up after a right call, 2 down after
// a wrong one, within kSlowestCallWpm .. kFastestCallWpm.
double nextCallWpm(double wpm, bool correct);

// A run of calls: each is played at the speed the answers so far have
// reached, starting from `startWpm`.
class CallsignRun {
public:
    CallsignRun(std::vector<std::u32string> calls, double startWpm);

    bool finished() const { return results_.size() >= calls_.size(); }
    const std::u32string& currentCall() const { return calls_[results_.size()]; }
    double currentWpm() const { return wpm_; }
    std::size_t callCount() const { return calls_.size(); }
    // Scores the copy of the current call and moves on.
    const CallResult& answer(const std::string& copyUtf8, bool replayed);

    const std::vector<CallResult>& results() const { return results_; }
    double points() const;
    // Speeds the calls were played at, in order.
    std::vector<double> speeds() const;

private:
    std::vector<std::u32string> calls_;
    std::vector<CallResult> results_;
    double wpm_;
};

} // namespace brivo::drills
