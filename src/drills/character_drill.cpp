#include "drills/character_drill.h"

#include "practice/material/material.h"

#include <algorithm>
#include <numeric>

namespace brivo::drills {
namespace {

constexpr double kBaseNeed = 0.05;
constexpr double kSlownessWeight = 0.5;
constexpr double kTimeoutFactor = 4;

const CharacterRecord& recordOf(const CharacterRecords& records, char32_t c)
{
    static const CharacterRecord unseen;
    const auto found = records.find(c);
    return found == records.end() ? unseen : found->second;
}

std::optional<double> meanReaction(const CharacterRecords& records, const std::u32string* pool = nullptr)
{
    double sum = 0;
    int count = 0;
    for (const auto& [c, record] : records) {
        if (record.reactionMs && (pool == nullptr || pool->find(c) != std::u32string::npos)) {
            sum += *record.reactionMs;
            ++count;
        }
    }
    return count > 0 ? std::optional(sum / count) : std::nullopt;
}

} // namespace

double needOf(const CharacterRecords& records, char32_t c)
{
    const CharacterRecord& record = recordOf(records, c);
    const std::optional<double> mean = meanReaction(records);
    const double slowness = record.reactionMs && mean && *mean > 0 ? *record.reactionMs / *mean : 1;
    return kBaseNeed + record.errorRate + kSlownessWeight * slowness;
}

std::u32string drawByNeed(const std::u32string& pool, const CharacterRecords& records, std::size_t count,
                          RandomGenerator& random)
{
    std::u32string drawn;
    if (pool.empty())
        return drawn;
    std::vector<double> cumulative;
    double total = 0;
    for (const char32_t c : pool) {
        total += needOf(records, c);
        cumulative.push_back(total);
    }
    for (std::size_t i = 0; i < count; ++i) {
        const double at = practice::uniformDraw(random) * total;
        const auto found = std::upper_bound(cumulative.begin(), cumulative.end(), at);
        drawn += pool[std::min<std::size_t>(static_cast<std::size_t>(found - cumulative.begin()), pool.size() - 1)];
    }
    return drawn;
}

double timeoutSeconds(const std::u32string& pool, const CharacterRecords& records, double baselineMs)
{
    const std::optional<double> mean = meanReaction(records, &pool);
    if (!mean)
        return kLongestTimeout;
    return std::clamp((kTimeoutFactor * *mean + baselineMs) / 1000, kShortestTimeout, kLongestTimeout);
}

void recordAnswer(CharacterRecords& records, const CharacterAnswer& answer)
{
    CharacterRecord& record = records[answer.sent];
    const bool right = answer.right();
    record.errorRate += kAnswerWeight * ((right ? 0.0 : 1.0) - record.errorRate);
    if (right) {
        record.reactionMs = record.reactionMs
                                ? *record.reactionMs + kAnswerWeight * (answer.reactionMs - *record.reactionMs)
                                : answer.reactionMs;
    }
    ++record.answers;
}

CharacterPool::CharacterPool(std::u32string source, bool grows)
    : source_(std::move(source)), active_(grows ? source_.substr(0, 2) : source_), grows_(grows)
{}

std::optional<char32_t> CharacterPool::growIfReady(const CharacterRecords& records)
{
    if (!grows_ || active_.size() >= source_.size())
        return std::nullopt;
    double sum = 0;
    for (const char32_t c : active_) {
        const double rate = recordOf(records, c).errorRate;
        if (rate >= 0.4)
            return std::nullopt;
        sum += rate;
    }
    if (sum / static_cast<double>(active_.size()) >= 0.3)
        return std::nullopt;
    active_ += source_[active_.size()];
    return active_.back();
}

double medianMs(std::vector<double> times)
{
    if (times.empty())
        return 0;
    const auto middle = times.begin() + static_cast<std::ptrdiff_t>(times.size() / 2);
    std::nth_element(times.begin(), middle, times.end());
    if (times.size() % 2 == 1)
        return *middle;
    return (*middle + *std::max_element(times.begin(), middle)) / 2;
}

} // namespace brivo::drills
