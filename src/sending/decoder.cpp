#include "sending/decoder.h"

#include "common/cp1252.h"
#include "common/utf8.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace brivo::sending {
namespace {

// How far one element moves the unit, and the trainee's own ratios.
constexpr double kFollowUnit = 0.07;
constexpr double kFollowRatio = 0.05;
const double kLeastSplit = std::log(1.8);
const double kThree = std::log(3.0);
const double kSevenThirds = std::log(7.0 / 3.0);

} // namespace

// The cost of reading a pattern the table does not have, against the
// squared distances (in log units over kSpread squared) of the gaps.
constexpr double kUnknownLetter = 12;
constexpr double kSpread = 0.25;
// How much less likely than the best reading a word of the vocabulary may
// be and still be read (in the same units as the costs: e^4, about 55
// times).
constexpr double kWordPrior = 4;

Decoder::Decoder(const MorseTable& table, double startWpm)
    : logUnit_(std::log(1.2 / startWpm)), dahUnits_(kThree), letterGapUnits_(kThree), gapSpread2_(kSpread * kSpread)
{
    for (unsigned code = 0x21; code < 256; ++code) {
        const std::string_view pattern = table.pattern(static_cast<KeyCode>(code));
        if (!pattern.empty()) {
            letters_.emplace(std::string(pattern), cp1252ToUnicode(static_cast<unsigned char>(code)));
            patterns_.emplace(cp1252ToUnicode(static_cast<unsigned char>(code)), std::string(pattern));
        }
    }
}

void Decoder::setVocabulary(const std::vector<std::u32string>& words)
{
    vocabulary_.clear();
    for (const std::u32string& word : words) {
        std::string marks;
        std::vector<std::size_t> cuts;
        bool keyed = !word.empty();
        for (const char32_t c : word) {
            const auto found = patterns_.find(c);
            if (found == patterns_.end()) {
                keyed = false;
                break;
            }
            marks += found->second;
            cuts.push_back(marks.size());
        }
        if (keyed)
            vocabulary_.emplace(marks, std::make_pair(cuts, encodeUtf8(word)));
    }
}

double Decoder::wpm() const
{
    return 1.2 / std::exp(logUnit_);
}

void Decoder::edge(const KeyEdge& edge)
{
    if (edge.down == down_)
        return;
    const double seconds = static_cast<double>(edge.micros - since_) / 1e6;
    if (edge.down) {
        if (started_)
            gap(seconds);
        started_ = true;
    } else {
        mark(seconds);
    }
    down_ = edge.down;
    since_ = edge.micros;
}

void Decoder::idle(std::int64_t micros)
{
    if (down_ || marks_.empty())
        return;
    const double silence = std::log(std::max(1e-6, static_cast<double>(micros - since_) / 1e6)) - logUnit_;
    if (silence > wordSplit())
        endWord();
}

void Decoder::mark(double seconds)
{
    const double units = std::log(std::max(seconds, 1e-6)) - logUnit_;
    const bool dah = units > dahUnits_ / 2;
    elements_.push_back({dah ? JudgedElement::Kind::Dah : JudgedElement::Kind::Dit, seconds, std::exp(logUnit_)});
    const double off = units - (dah ? dahUnits_ : 0.0);
    logUnit_ += kFollowUnit * off;
    if (dah)
        dahUnits_ = std::max(kLeastSplit, dahUnits_ + kFollowRatio * off);
    marks_ += dah ? '-' : '.';
}

// Where the likelihoods of the two kinds, weighted by how often each
// comes, are equal.
double Decoder::letterSplit() const
{
    return letterGapUnits_ / 2 + gapSpread2_ * std::log(2.0) / letterGapUnits_;
}

double Decoder::wordSplit() const
{
    return letterGapUnits_ + kSevenThirds / 2 + gapSpread2_ * std::log(4.0) / kSevenThirds;
}

void Decoder::gap(double seconds)
{
    const double units = std::log(std::max(seconds, 1e-6)) - logUnit_;
    JudgedElement::Kind kind = JudgedElement::Kind::ElementGap;
    if (units > wordSplit())
        kind = JudgedElement::Kind::WordGap;
    else if (units > letterSplit())
        kind = JudgedElement::Kind::LetterGap;
    elements_.push_back({kind, seconds, std::exp(logUnit_)});
    if (kind == JudgedElement::Kind::WordGap) {
        endWord();
        return;
    }
    gaps_.push_back(units);
    const double off = kind == JudgedElement::Kind::ElementGap ? units : units - letterGapUnits_;
    logUnit_ += kFollowUnit * off;
    if (kind == JudgedElement::Kind::LetterGap)
        letterGapUnits_ = std::max(kLeastSplit, letterGapUnits_ + kFollowRatio * off);
    gapSpread2_ += kFollowRatio * (off * off - gapSpread2_);
}

std::string Decoder::wordText() const
{
    // best[i]: the least cost of reading marks [0, i) as whole letters;
    // a letter [j, i) costs its inner gaps read as element gaps, the gap
    // before it read as a letter gap, and kUnknownLetter when the table
    // lacks it.
    const std::size_t n = marks_.size();
    const auto cost = [this](double units, double centre) {
        const double d = units - centre;
        return d * d / (2 * gapSpread2_);
    };
    std::vector<double> best(n + 1, 0);
    std::vector<std::size_t> from(n + 1, 0);
    for (std::size_t i = 1; i <= n; ++i) {
        best[i] = -1;
        double inner = 0;
        for (std::size_t j = i; j-- > 0;) {
            if (j + 1 < i)
                inner += cost(gaps_[j], 0);
            const double before = j > 0 ? cost(gaps_[j - 1], letterGapUnits_) + std::log(2.0) : 0;
            const bool known = letters_.find(std::string_view(marks_).substr(j, i - j)) != letters_.end();
            const double total = best[j] + inner + before + (known ? 0 : kUnknownLetter);
            if (best[i] < 0 || total < best[i]) {
                best[i] = total;
                from[i] = j;
            }
        }
    }
    const auto [first, last] = vocabulary_.equal_range(std::string_view(marks_));
    double bestWord = -1;
    const std::string* chosen = nullptr;
    for (auto entry = first; entry != last; ++entry) {
        const std::vector<std::size_t>& wordCuts = entry->second.first;
        double total = 0;
        for (std::size_t g = 0; g + 1 < n; ++g) {
            const bool cut = std::find(wordCuts.begin(), wordCuts.end(), g + 1) != wordCuts.end();
            total += cut ? cost(gaps_[g], letterGapUnits_) + std::log(2.0) : cost(gaps_[g], 0);
        }
        if (bestWord < 0 || total < bestWord) {
            bestWord = total;
            chosen = &entry->second.second;
        }
    }
    if (chosen != nullptr && bestWord <= best[n] + kWordPrior)
        return *chosen;
    std::vector<std::size_t> cuts;
    for (std::size_t i = n; i > 0; i = from[i])
        cuts.push_back(i);
    std::string word;
    std::size_t start = 0;
    for (auto cut = cuts.rbegin(); cut != cuts.rend(); ++cut) {
        const auto found = letters_.find(std::string_view(marks_).substr(start, *cut - start));
        appendUtf8(word, found != letters_.end() ? found->second : U'*');
        start = *cut;
    }
    return word;
}

void Decoder::endWord()
{
    if (marks_.empty())
        return;
    if (!text_.empty())
        text_ += ' ';
    text_ += wordText();
    marks_.clear();
    gaps_.clear();
}

std::string Decoder::text() const
{
    if (marks_.empty())
        return text_;
    std::string text = text_;
    if (!text.empty())
        text += ' ';
    return text + wordText();
}

std::string decodeKeying(const MorseTable& table, const KeyEdges& edges, double startWpm,
                         const std::vector<std::u32string>& vocabulary)
{
    Decoder decoder(table, startWpm);
    decoder.setVocabulary(vocabulary);
    for (const KeyEdge& edge : edges)
        decoder.edge(edge);
    if (!edges.empty())
        decoder.idle(edges.back().micros + 600'000'000);
    return decoder.text();
}

} // namespace brivo::sending
