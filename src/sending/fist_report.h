#pragma once

#include "practice/copy_check.h"
#include "sending/decoder.h"

#include <array>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace brivo::sending {

// One kind of element of a keying, measured in dits (the median dit).
struct TimingMeasure {
    int count = 0;
    double dits = 0;      // median length, in dits
    double ideal = 0;     // 1, 3, 1, 3 or 7
    double variation = 0; // coefficient of variation (standard deviation / mean)
};

// A character as the trainee keys it: the lengths of its elements and of
// the gaps within it (mark, gap, mark, ...), in dits, averaged over its
// occurrences, against the ideal ones.
struct CharacterTiming {
    char32_t character = 0;
    std::vector<double> measured;
    std::vector<double> ideal;
    double distance = 0; // the mean |ln(measured / ideal)|
};

// How a stretch of keying compares with the text it was to send.
struct FistReport {
    double wpm = 0; // from the median dit (PARIS)
    TimingMeasure dit;
    TimingMeasure dah;
    TimingMeasure elementGap;
    TimingMeasure letterGap;
    TimingMeasure wordGap;
    // The score, 0 to 100:
    //   100 x exp(-(sum of |ln(measured / ideal)| over the dah and the three
    //               gaps + sum of the variations of the five kinds) / 2).
    double score = 0;
    std::string decoded;
    // The characters sent wrong: what was to be sent, what was received.
    std::vector<std::pair<char32_t, char32_t>> wrong;
    // Each character of the target: how often it was sent, and sent wrong.
    std::map<char32_t, practice::CharacterCount> perCharacter;
    // The characters whose timing is furthest from ideal (past a mean of
    // 5 %), the three furthest first; none when the keying's letters cannot
    // be told apart from its gaps as the decoder read them.
    std::vector<CharacterTiming> furthest;
    // What the trainee is told, worst first, in French ("vos traits sont
    // courts : 2,4 points au lieu de 3").
    std::vector<std::string> faults;
};

// The report of `elements` (as the decoder judged them) that decoded as
// `decoded`, against `target` (UTF-8).
FistReport fistReport(const std::vector<JudgedElement>& elements, const std::string& decoded,
                      const std::string& target);

// The lengths of a keying's elements in dits (of the median dit), counted
// in bins of kBinDits from 0 to kMaxDits (longer ones in the last bin), one
// row per kind in JudgedElement::Kind's order: dits, dahs, element gaps,
// letter gaps, word gaps.
struct TimingHistogram {
    static constexpr double kBinDits = 0.25;
    static constexpr double kMaxDits = 10;
    static constexpr std::size_t kBins = 40;
    static constexpr std::size_t kKinds = 5;
    std::array<std::array<int, kBins>, kKinds> counts{};
    int highest = 0; // the largest count, for the scale
};
// "Q : 2,4 0,9 2,4 1,0 2,4 1,0 1,0 points au lieu de 3 1 3 1 1 1 3".
std::string characterTimingText(const CharacterTiming& timing);

TimingHistogram timingHistogram(const std::vector<JudgedElement>& elements);

} // namespace brivo::sending
