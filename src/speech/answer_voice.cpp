#include "speech/answer_voice.h"

#include "practice/material/word_lists.h"
#include "speech/french_voice.h"
#include "speech/spoken_answers.h"

#include <algorithm>
#include <cmath>

namespace brivo::speech {
namespace {

constexpr std::size_t kKeptWordSamples = std::size_t{1} << 21U; // 4 MiB of words

} // namespace

bool isCommonFrenchWord(std::u32string_view unit)
{
    return unit.size() > 1 && practice::frenchSpelling(unit).has_value();
}

Result<std::vector<std::int16_t>> AnswerVoice::say(const std::u32string& unit) const
{
    if (!isCommonFrenchWord(unit)) {
        std::vector<std::int16_t> voice;
        for (const char32_t c : unit) {
            const Result<std::vector<std::int16_t>> name = nameOf(c);
            if (!name)
                return name.error();
            if (!voice.empty())
                voice.resize(voice.size() + static_cast<std::size_t>(rate_ / 8), 0);
            voice.insert(voice.end(), name->begin(), name->end());
        }
        return voice;
    }
    {
        const std::lock_guard guard(lock_);
        if (const auto known = words_.find(unit); known != words_.end())
            return known->second;
    }
    Result<std::vector<std::int16_t>> word = sayInFrench(spokenAnswer(unit, isCommonFrenchWord), rate_);
    if (!word)
        return word.error();
    std::vector<std::int16_t> voice = levelled(std::move(*word));
    const std::lock_guard guard(lock_);
    if (wordSamples_ + voice.size() <= kKeptWordSamples) {
        wordSamples_ += voice.size();
        words_.emplace(unit, voice);
    }
    return voice;
}

Result<std::vector<std::int16_t>> AnswerVoice::sayPhrase(const std::string& text) const
{
    Result<std::vector<std::int16_t>> voice = sayInFrench(text, rate_);
    if (!voice)
        return voice;
    return levelled(std::move(*voice));
}

Result<std::vector<std::int16_t>> AnswerVoice::nameOf(char32_t c) const
{
    {
        const std::lock_guard guard(lock_);
        if (const auto known = names_.find(c); known != names_.end())
            return known->second;
    }
    Result<std::vector<std::int16_t>> name = sayInFrench(spokenAnswer(std::u32string(1, c), {}), rate_);
    if (!name)
        return name;
    // espeak-ng pads each phrase with silence: the names are joined without
    // it.
    constexpr int kQuiet = 200;
    const auto loud = [](std::int16_t s) { return std::abs(static_cast<int>(s)) > kQuiet; };
    const auto first = std::find_if(name->begin(), name->end(), loud);
    const auto last = std::find_if(name->rbegin(), name->rend(), loud).base();
    std::vector<std::int16_t> trimmed = levelled(std::vector<std::int16_t>(first, std::max(first, last)));
    const std::lock_guard guard(lock_);
    return names_.emplace(c, std::move(trimmed)).first->second;
}

std::vector<std::int16_t> AnswerVoice::levelled(std::vector<std::int16_t> voice) const
{
    int peak = 0;
    for (const std::int16_t s : voice)
        peak = std::max(peak, std::abs(static_cast<int>(s)));
    if (peak == 0)
        return voice;
    const double gain = static_cast<double>(level_) / peak;
    for (std::int16_t& s : voice)
        s = static_cast<std::int16_t>(std::lround(s * gain));
    return voice;
}

} // namespace brivo::speech
