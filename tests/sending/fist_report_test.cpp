// The fist report of keying made to measure: ideal keying scores 100 with
// exact ratios, and keying skewed one way is told that fault first.
#include "sending/fist_report.h"
#include "support/built_in_table.h"
#include "support/case_name.h"
#include "support/simulated_fist.h"

#include <gtest/gtest.h>

namespace brivo::sending {
namespace {

struct ReportCase {
    std::string name;
    test::Fist fist;
    double leastScore;
    double mostScore;
    std::string firstFault; // empty: none
    std::string furthest;   // the character timed furthest from ideal; empty: none
};

class FistReports : public testing::TestWithParam<ReportCase> {};

TEST_P(FistReports, MeasureAndNameTheFault)
{
    const ReportCase& row = GetParam();
    std::mt19937 random(7);
    const std::string text = "CQ CQ DE F6ABC F6ABC PSE K";
    Decoder decoder(test::builtInTable(), row.fist.wpm);
    const KeyEdges edges = test::simulatedFist(text, test::builtInTable(), row.fist, random);
    for (const KeyEdge& edge : edges)
        decoder.edge(edge);
    decoder.idle(edges.back().micros + 10'000'000);
    const FistReport report = fistReport(decoder.elements(), decoder.text(), text);
    EXPECT_EQ(report.decoded, text);
    EXPECT_NEAR(report.wpm, row.fist.wpm, 0.5);
    EXPECT_NEAR(report.dah.dits, row.fist.dah, 0.05);
    EXPECT_NEAR(report.letterGap.dits, row.fist.letterGap, 0.05);
    EXPECT_NEAR(report.wordGap.dits, 7, 0.05);
    EXPECT_GE(report.score, row.leastScore);
    EXPECT_LE(report.score, row.mostScore);
    EXPECT_EQ(report.perCharacter.at(U'F').sent, 2);
    EXPECT_EQ(report.furthest.empty() ? "" : characterTimingText(report.furthest.front()), row.furthest);
    // The picture: each kind's fullest bin at its measured length.
    const TimingHistogram histogram = timingHistogram(decoder.elements());
    const auto fullest = [&](JudgedElement::Kind kind) {
        const auto& bins = histogram.counts[static_cast<std::size_t>(kind)];
        return (static_cast<double>(std::max_element(bins.begin(), bins.end()) - bins.begin()) + 0.5) *
               TimingHistogram::kBinDits;
    };
    EXPECT_NEAR(fullest(JudgedElement::Kind::Dit), 1, 0.25);
    EXPECT_NEAR(fullest(JudgedElement::Kind::Dah), row.fist.dah, 0.25);
    EXPECT_NEAR(fullest(JudgedElement::Kind::LetterGap), row.fist.letterGap, 0.25);
    EXPECT_NEAR(fullest(JudgedElement::Kind::WordGap), 7, 0.25);
    if (row.firstFault.empty()) {
        EXPECT_TRUE(report.faults.empty()) << report.faults.front();
    } else {
        ASSERT_FALSE(report.faults.empty());
        EXPECT_EQ(report.faults.front(), row.firstFault);
    }
}

INSTANTIATE_TEST_SUITE_P(, FistReports,
                         testing::Values(ReportCase{"ideal", {20, 0, 0, 1}, 99.9, 100, "", ""},
                                         ReportCase{"shortDahs",
                                                    {20, 0, 0, 1, 2.4, 3},
                                                    85,
                                                    92,
                                                    "vos traits sont trop courts : 2,4 points au lieu de 3",
                                                    "Q : 2,4 1,0 2,4 1,0 1,0 1,0 2,4 points au lieu de 3 1 3 1 1 1 3"},
                                         ReportCase{
                                             "shortLetterGaps",
                                             {20, 0, 0, 1, 3, 2},
                                             75,
                                             85,
                                             "vos espaces entre lettres sont trop courts : 2,0 points au lieu de 3",
                                             ""}),
                         test::CaseName());

} // namespace
} // namespace brivo::sending
