#include "speech/answer_file.h"

#include "audio/wav_file_writer.h"
#include "common/atomic_file.h"
#include "common/file_io.h"
#include "common/messages.h"
#include "player/wav_reader.h"
#include "practice/material/word_lists.h"
#include "reception/reception_renderer.h"
#include "speech/french_voice.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <optional>

namespace brivo::speech {

bool isCommonFrenchWord(std::u32string_view unit)
{
    const std::vector<std::u32string>& words = practice::commonWords(practice::Language::French);
    return unit.size() > 1 && std::find(words.begin(), words.end(), unit) != words.end();
}

Result<std::vector<Insertion>> addSpokenAnswers(const RenderRequest& request, const MorseTable& table,
                                                const reception::ReceptionConditions& conditions, double pauseSeconds,
                                                const std::string& preface)
{
    const Result<std::string> bytes = readFileBytes(request.path, std::uintmax_t{1} << 33U);
    if (!bytes)
        return bytes.error();
    const Result<PcmSound> sound = readWav(*bytes);
    if (!sound)
        return sound.error();
    const int rate = sound->sampleRate;
    const std::vector<AnswerPoint> points = answerPoints(
        request.text, table, reception::renderedMarks(request, table, conditions), rate, sound->samples.size());
    std::map<std::u32string, std::vector<std::int16_t>> said;
    std::optional<Error> failed;
    const auto speech = [&](const std::u32string& unit) -> std::vector<std::int16_t> {
        const auto known = said.find(unit);
        if (known != said.end())
            return known->second;
        Result<std::vector<std::int16_t>> voice = sayInFrench(spokenAnswer(unit, isCommonFrenchWord), rate);
        if (!voice) {
            failed = voice.error();
            return {};
        }
        return said.emplace(unit, std::move(*voice)).first->second;
    };
    const auto pause =
        static_cast<std::uint64_t>(std::llround(std::clamp(pauseSeconds, kMinAnswerPause, kMaxAnswerPause) * rate));
    std::vector<Insertion> insertions;
    std::vector<std::int16_t> answered = withAnswers(sound->samples, points, speech, pause, &insertions);
    if (failed)
        return *failed;
    if (!preface.empty()) {
        Result<std::vector<std::int16_t>> first = sayInFrench(preface, rate);
        if (!first)
            return first.error();
        first->resize(first->size() + pause / 2, 0);
        answered.insert(answered.begin(), first->begin(), first->end());
        insertions.insert(insertions.begin(), Insertion{0, first->size()});
    }
    if (answered.size() > kMaxWavSamples)
        return fail(ErrorCode::TooLong, std::string(messages::kTooLong));
    const auto header = wavHeader(static_cast<std::uint32_t>(answered.size()), rate);
    std::string file(header.begin(), header.end());
    file.reserve(file.size() + 2 * answered.size());
    for (const std::int16_t sample : answered) {
        const auto value = static_cast<std::uint16_t>(sample);
        file += static_cast<char>(value & 0xFFU);
        file += static_cast<char>(value >> 8U);
    }
    if (Result<void> written = writeFileAtomically(request.path, file); !written)
        return written.error();
    return insertions;
}

} // namespace brivo::speech
