// The decoder against simulated fists, over more hands than the test: the
// character error rate (edit distance / length) of each row, with the
// decoder started 0.8, 1.0 and 1.25 times off the true speed, reading with
// the practice vocabulary as the sending window does.
#include "practice/material/vocabulary.h"
#include "sending/decoder.h"
#include "support/built_in_table.h"
#include "support/simulated_fist.h"

#include <cstdio>

int main()
{
    using brivo::test::Fist;
    struct Row {
        const char* name;
        Fist fist;
    };
    const Row rows[] = {{"sigma 0.05, 35 WPM, 10 ms grid", {35, 0.05, 0, 10'000}},
                        {"sigma 0.10, 12-25 WPM", {12, 0.10, 0, 1}},
                        {"sigma 0.15, 12-25 WPM, drifting", {12, 0.15, 0.03, 1}},
                        {"sigma 0.20, 12-25 WPM", {12, 0.20, 0, 1}}};
    const std::vector<std::u32string> vocabulary = brivo::practice::sendingVocabulary();
    for (const Row& row : rows) {
        std::size_t errors = 0;
        std::size_t length = 0;
        for (const double start : {0.8, 1.0, 1.25}) {
            for (std::uint32_t seed = 1; seed <= 40; ++seed) {
                std::mt19937 random(seed);
                Fist fist = row.fist;
                if (fist.wpm < 30)
                    fist.wpm = 12 + seed % 14;
                const std::string text = brivo::test::fistText(random, 50);
                const auto edges = brivo::test::simulatedFist(text, brivo::test::builtInTable(), fist, random);
                const std::string decoded =
                    brivo::sending::decodeKeying(brivo::test::builtInTable(), edges, fist.wpm * start, vocabulary);
                errors += brivo::test::editDistance(decoded, text);
                length += text.size();
            }
        }
        std::printf("%-34s character error rate %5.2f %% (%zu characters)\n", row.name,
                    100.0 * static_cast<double>(errors) / static_cast<double>(length), length);
    }
}
