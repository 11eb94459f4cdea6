#include "sending/fist_report.h"

#include "common/number_text.h"
#include "common/utf8.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace brivo::sending {
namespace {

double median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

TimingMeasure measure(const std::vector<double>& seconds, double dit, double ideal)
{
    TimingMeasure m;
    m.count = static_cast<int>(seconds.size());
    m.ideal = ideal;
    if (seconds.empty() || dit <= 0)
        return m;
    m.dits = median(seconds) / dit;
    const double mean = std::accumulate(seconds.begin(), seconds.end(), 0.0) / static_cast<double>(seconds.size());
    double square = 0;
    for (const double s : seconds)
        square += (s - mean) * (s - mean);
    m.variation = seconds.size() > 1 ? std::sqrt(square / static_cast<double>(seconds.size() - 1)) / mean : 0;
    return m;
}

// |ln(measured / ideal)|, none for a kind that was not keyed.
double distance(const TimingMeasure& m)
{
    return m.count > 0 && m.dits > 0 ? std::abs(std::log(m.dits / m.ideal)) : 0;
}

// A fault when a kind is off its ideal by more than `tolerance` (log).
void judge(const TimingMeasure& m, double tolerance, const std::string& what,
           std::vector<std::pair<double, std::string>>& found)
{
    if (m.count == 0 || distance(m) <= tolerance)
        return;
    found.emplace_back(distance(m), what + (m.dits < m.ideal ? " trop courts : " : " trop longs : ") +
                                        fixedText(m.dits, 1, ',') + " points au lieu de " + fixedText(m.ideal, 0, ','));
}

// Each character keyed, its parts in dits, when the marks split into as
// many letters as were decoded.
std::vector<CharacterTiming> furthestCharacters(const std::vector<JudgedElement>& elements, double dit,
                                                const std::string& decoded)
{
    std::u32string letters = decodeUtf8(decoded);
    std::erase(letters, U' ');
    std::vector<CharacterTiming> keyed(1);
    for (const JudgedElement& element : elements) {
        using Kind = JudgedElement::Kind;
        if (element.kind == Kind::LetterGap || element.kind == Kind::WordGap) {
            keyed.emplace_back();
            continue;
        }
        keyed.back().measured.push_back(element.seconds / dit);
        keyed.back().ideal.push_back(element.kind == Kind::Dah ? 3 : 1);
    }
    std::erase_if(keyed, [](const CharacterTiming& t) { return t.measured.empty(); });
    if (keyed.size() != letters.size() || dit <= 0)
        return {};
    std::map<char32_t, std::pair<CharacterTiming, int>> sums;
    for (std::size_t i = 0; i < keyed.size(); ++i) {
        auto& [sum, count] = sums[letters[i]];
        if (letters[i] == U'*' || (count > 0 && sum.ideal != keyed[i].ideal))
            continue;
        if (count == 0)
            sum = keyed[i];
        else
            std::transform(sum.measured.begin(), sum.measured.end(), keyed[i].measured.begin(), sum.measured.begin(),
                           std::plus<>());
        sum.character = letters[i];
        ++count;
    }
    std::vector<CharacterTiming> furthest;
    for (auto& [character, entry] : sums) {
        auto& [timing, count] = entry;
        if (count == 0)
            continue;
        for (std::size_t i = 0; i < timing.measured.size(); ++i) {
            timing.measured[i] /= count;
            timing.distance += std::abs(std::log(timing.measured[i] / timing.ideal[i]));
        }
        timing.distance /= static_cast<double>(timing.measured.size());
        if (timing.distance > 0.05)
            furthest.push_back(std::move(timing));
    }
    std::sort(furthest.begin(), furthest.end(),
              [](const CharacterTiming& a, const CharacterTiming& b) { return a.distance > b.distance; });
    if (furthest.size() > 3)
        furthest.resize(3);
    return furthest;
}

} // namespace

std::string characterTimingText(const CharacterTiming& timing)
{
    std::string text;
    appendUtf8(text, timing.character);
    text += " :";
    for (const double part : timing.measured)
        text.append(" ").append(fixedText(part, 1, ','));
    text += " points au lieu de";
    for (const double part : timing.ideal)
        text.append(" ").append(fixedText(part, 0, ','));
    return text;
}

FistReport fistReport(const std::vector<JudgedElement>& elements, const std::string& decoded, const std::string& target)
{
    std::map<JudgedElement::Kind, std::vector<double>> byKind;
    for (const JudgedElement& element : elements)
        byKind[element.kind].push_back(element.seconds);
    FistReport report;
    const double dit = median(byKind[JudgedElement::Kind::Dit]);
    report.wpm = dit > 0 ? 1.2 / dit : 0;
    report.dit = measure(byKind[JudgedElement::Kind::Dit], dit, 1);
    report.dah = measure(byKind[JudgedElement::Kind::Dah], dit, 3);
    report.elementGap = measure(byKind[JudgedElement::Kind::ElementGap], dit, 1);
    report.letterGap = measure(byKind[JudgedElement::Kind::LetterGap], dit, 3);
    report.wordGap = measure(byKind[JudgedElement::Kind::WordGap], dit, 7);
    double off = 0;
    for (const TimingMeasure* m : {&report.dah, &report.elementGap, &report.letterGap, &report.wordGap})
        off += distance(*m);
    for (const TimingMeasure* m : {&report.dit, &report.dah, &report.elementGap, &report.letterGap, &report.wordGap})
        off += m->variation;
    report.score = 100 * std::exp(-off / 2);
    report.decoded = decoded;
    report.furthest = furthestCharacters(elements, dit, decoded);

    if (const Result<practice::CopyCheck> check = practice::checkCopy(target, decoded)) {
        for (const auto& [pair, count] : check->confusions) {
            if (pair.first != pair.second)
                report.wrong.push_back(pair);
        }
        report.perCharacter = check->perCharacter;
    }
    std::vector<std::pair<double, std::string>> found;
    judge(report.dah, std::log(1.1), "vos traits sont", found);
    judge(report.elementGap, std::log(1.3), "vos espaces dans les lettres sont", found);
    judge(report.letterGap, std::log(1.2), "vos espaces entre lettres sont", found);
    judge(report.wordGap, std::log(1.2), "vos espaces entre mots sont", found);
    std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
    for (auto& fault : found)
        report.faults.push_back(std::move(fault.second));
    return report;
}

TimingHistogram timingHistogram(const std::vector<JudgedElement>& elements)
{
    std::vector<double> dits;
    for (const JudgedElement& element : elements)
        if (element.kind == JudgedElement::Kind::Dit)
            dits.push_back(element.seconds);
    TimingHistogram histogram;
    const double dit = median(dits);
    if (dit <= 0)
        return histogram;
    for (const JudgedElement& element : elements) {
        const auto bin = std::min(TimingHistogram::kBins - 1,
                                  static_cast<std::size_t>(element.seconds / dit / TimingHistogram::kBinDits));
        int& count = histogram.counts[static_cast<std::size_t>(element.kind)][bin];
        histogram.highest = std::max(histogram.highest, ++count);
    }
    return histogram;
}

} // namespace brivo::sending
