#pragma once

// A trainee's hand, simulated: text keyed at a speed, each element's
// length log-normally spread (gaps half as much again), the speed
// wandering from character to character, edges on a clock grid.
#include "common/edit_text.h"
#include "morse/morse_table.h"
#include "practice/copy_check.h"
#include "sending/key_edge.h"

#include <algorithm>
#include <cmath>
#include <random>
#include <string>
#include <vector>

namespace brivo::test {

struct Fist {
    double wpm = 20;
    double sigma = 0.1;    // spread of each element's log length
    double drift = 0;      // spread of the speed's log step per character
    std::int64_t grid = 1; // microseconds the edges are rounded to
    double dah = 3;        // in dits
    double letterGap = 3;
};

inline sending::KeyEdges simulatedFist(const std::string& text, const MorseTable& table, const Fist& fist,
                                       std::mt19937& random)
{
    std::normal_distribution<double> normal(0, 1);
    sending::KeyEdges edges;
    double now = 0.5;
    double wpm = fist.wpm;
    const auto spread = [&](double units, double sigma) {
        return units * 1.2 / wpm * std::exp(sigma * normal(random));
    };
    const auto at = [&](double seconds) {
        const auto micros = static_cast<std::int64_t>(std::llround(seconds * 1e6));
        return micros / fist.grid * fist.grid;
    };
    // The gap before the next mark: none before the first, then an element,
    // letter or word gap, each spread as one.
    double before = 0;
    for (const KeyCode code : keyedTextFromUtf8(text)) {
        if (code == ' ') {
            before = before > 0 ? 7 : 0;
            continue;
        }
        for (const char symbol : table.pattern(code)) {
            if (before > 0)
                now += spread(before, 1.5 * fist.sigma);
            edges.push_back({at(now), true, sending::Contact::Straight});
            now += spread(symbol == '-' ? fist.dah : 1, fist.sigma);
            edges.push_back({at(now), false, sending::Contact::Straight});
            before = 1;
        }
        before = before == 7 ? 7 : fist.letterGap;
        wpm = std::clamp(wpm * std::exp(fist.drift * normal(random)), fist.wpm * 0.7, fist.wpm * 1.4);
    }
    return edges;
}

// The characters a decoding got wrong: the Levenshtein distance of the
// copy check.
inline std::size_t editDistance(const std::string& decoded, const std::string& text)
{
    return practice::checkCopy(text, decoded)->distance;
}

// Words to key: letters, figures and call signs.
inline std::string fistText(std::mt19937& random, int words)
{
    static const std::vector<std::string> kWords = {
        "CQ",   "DE",  "F6ABC", "TEST", "QTH",     "PARIS", "NAME",  "RST",   "599",    "73",    "QRZ",
        "WX",   "SUN", "HERE",  "GOOD", "MORNING", "THE",   "QUICK", "BROWN", "FOX",    "JUMPS", "OVER",
        "LAZY", "DOG", "K",     "BK",   "TU",      "FB",    "OM",    "2024",  "DL1XYZ", "ANT",   "RIG"};
    std::uniform_int_distribution<std::size_t> pick(0, kWords.size() - 1);
    std::string text;
    for (int i = 0; i < words; ++i)
        text += (i > 0 ? " " : "") + kWords[pick(random)];
    return text;
}

} // namespace brivo::test
