#pragma once

#include "common/random_generator.h"

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace brivo::drills {

// Weight of the newest answer in a character's running error rate and
// reaction time.
inline constexpr double kAnswerWeight = 0.125;
// Characters drawn at a time: a round is drawn by need at its start.
inline constexpr std::size_t kRoundLength = 20;
// The bounds of the time allowed for an answer, in seconds.
inline constexpr double kShortestTimeout = 1.5;
inline constexpr double kLongestTimeout = 6;

// What the drill knows of one character: an exponentially weighted error
// rate (an unseen character counts as always missed, so that it is drawn
// often until it is known) and reaction time.
struct CharacterRecord {
    double errorRate = 1;
    std::optional<double> reactionMs;
    int answers = 0;

    bool operator==(const CharacterRecord&) const = default;
};
using CharacterRecords = std::map<char32_t, CharacterRecord>;

// The weight a character is drawn with: 0.05 + its error rate + half its
// reaction time over the mean of the characters' reaction times (half
// when it has none yet). A character that is missed, or slow, comes back
// more often; none is ever left out.
double needOf(const CharacterRecords& records, char32_t c);

// Draws `count` characters of `pool`, each with probability proportional to
// its need.
std::u32string drawByNeed(const std::u32string& pool, const CharacterRecords& records, std::size_t count,
                          RandomGenerator& random);

// Seconds allowed for an answer: the mean reaction time of `pool`'s
// characters times four, plus the typing baseline, between kShortestTimeout
// and kLongestTimeout; the longest until a reaction time is known.
double timeoutSeconds(const std::u32string& pool, const CharacterRecords& records, double baselineMs);

// One answer to a drilled character: what was typed (nothing when the
// time ran out) and the reaction time, measured from the heard end of the
// character less the typing baseline.
struct CharacterAnswer {
    char32_t sent = 0;
    std::optional<char32_t> typed;
    double reactionMs = 0;

    bool right() const { return typed && *typed == sent; }
};

// Folds an answer into its character's record: a right answer moves the
// error rate towards 0 and its reaction time into the running mean, a
// wrong one (or none) moves the error rate towards 1.
void recordAnswer(CharacterRecords& records, const CharacterAnswer& answer);

// The characters a drill works on: those of its source, or, when it grows,
// the first two of the source and then one more each time the mean error
// rate of those drilled is under 0.3 and each one's under 0.4.
class CharacterPool {
public:
    CharacterPool(std::u32string source, bool grows);

    const std::u32string& active() const { return active_; }
    // Adds the next character of the source when the records allow it;
    // gives the added character.
    std::optional<char32_t> growIfReady(const CharacterRecords& records);

private:
    std::u32string source_;
    std::u32string active_;
    bool grows_;
};

// The typing baseline: the median of the warm-up's press times, in ms.
inline constexpr std::size_t kWarmUpPresses = 10;
double medianMs(std::vector<double> times);

} // namespace brivo::drills
