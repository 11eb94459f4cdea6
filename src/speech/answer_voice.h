#pragma once

#include "common/result.h"

#include <cstdint>
#include <map>
#include <mutex>
#include <string>
#include <vector>

namespace brivo::speech {

// The words read as words: the common French words, said as they are
// written in French; everything else is spelled.
bool isCommonFrenchWord(std::u32string_view unit);

// What the voice says for the answers of a render, at its rate, brought to
// the keying's level so that it is no louder than the Morse. A word is said
// whole; a group is spelled from each character's name, made once and
// trimmed of its silences, with a short pause between names. Words are
// kept up to a bounded size, so that a long lesson does not hold every
// answer. Safe from several threads at once.
class AnswerVoice {
public:
    AnswerVoice(int sampleRate, std::int16_t level) : rate_(sampleRate), level_(level) {}

    Result<std::vector<std::int16_t>> say(const std::u32string& unit) const;
    Result<std::vector<std::int16_t>> sayPhrase(const std::string& text) const;

private:
    Result<std::vector<std::int16_t>> nameOf(char32_t c) const;
    std::vector<std::int16_t> levelled(std::vector<std::int16_t> voice) const;

    int rate_;
    std::int16_t level_;
    mutable std::mutex lock_;
    mutable std::map<std::u32string, std::vector<std::int16_t>> words_;
    mutable std::size_t wordSamples_ = 0;
    mutable std::map<char32_t, std::vector<std::int16_t>> names_;
};

} // namespace brivo::speech
