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
    return unit.size() > 1 && practice::frenchSpelling(unit).has_value();
}

namespace {

// What the voice says, made from as few syntheses as can be: a word is
// said whole, as it is written in French; a group is spelled from each
// character's name, said once for the whole file and trimmed of its
// silences, with a short pause between names. Every answer is brought to
// the keying's level, so that the voice is no louder than the Morse.
class AnswerVoice {
public:
    AnswerVoice(int sampleRate, std::int16_t level) : rate_(sampleRate), level_(level) {}

    Result<std::vector<std::int16_t>> say(const std::u32string& unit)
    {
        if (const auto known = answers_.find(unit); known != answers_.end())
            return known->second;
        std::vector<std::int16_t> voice;
        if (isCommonFrenchWord(unit)) {
            Result<std::vector<std::int16_t>> word = sayInFrench(spokenAnswer(unit, isCommonFrenchWord), rate_);
            if (!word)
                return word.error();
            voice = std::move(*word);
        } else {
            for (const char32_t c : unit) {
                const Result<std::vector<std::int16_t>> name = nameOf(c);
                if (!name)
                    return name.error();
                if (!voice.empty())
                    voice.resize(voice.size() + static_cast<std::size_t>(rate_ / 8), 0);
                voice.insert(voice.end(), name->begin(), name->end());
            }
        }
        return answers_.emplace(unit, levelled(std::move(voice))).first->second;
    }

    Result<std::vector<std::int16_t>> sayPhrase(const std::string& text)
    {
        Result<std::vector<std::int16_t>> voice = sayInFrench(text, rate_);
        if (!voice)
            return voice;
        return levelled(std::move(*voice));
    }

private:
    Result<std::vector<std::int16_t>> nameOf(char32_t c)
    {
        if (const auto known = names_.find(c); known != names_.end())
            return known->second;
        Result<std::vector<std::int16_t>> name = sayInFrench(spokenAnswer(std::u32string(1, c), {}), rate_);
        if (!name)
            return name;
        // espeak-ng pads each phrase with silence: the names are joined
        // without it.
        constexpr int kQuiet = 200;
        const auto loud = [](std::int16_t s) { return std::abs(static_cast<int>(s)) > kQuiet; };
        const auto first = std::find_if(name->begin(), name->end(), loud);
        const auto last = std::find_if(name->rbegin(), name->rend(), loud).base();
        std::vector<std::int16_t> trimmed(first, std::max(first, last));
        return names_.emplace(c, std::move(trimmed)).first->second;
    }

    std::vector<std::int16_t> levelled(std::vector<std::int16_t> voice) const
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

    int rate_;
    std::int16_t level_;
    std::map<std::u32string, std::vector<std::int16_t>> answers_;
    std::map<char32_t, std::vector<std::int16_t>> names_;
};

} // namespace

Result<std::vector<Insertion>> addSpokenAnswers(const RenderRequest& request, const MorseTable& table,
                                                const reception::ReceptionConditions& conditions, double pauseSeconds,
                                                const std::string& preface, const std::function<void(double)>& progress,
                                                const AnswerSpan& answered)
{
    const Result<std::string> bytes = readFileBytes(request.path, std::uintmax_t{1} << 33U);
    if (!bytes)
        return bytes.error();
    const Result<PcmSound> sound = readWav(*bytes);
    if (!sound)
        return sound.error();
    const int rate = sound->sampleRate;
    const std::vector<AnswerPoint> points =
        answerPoints(request.text, table, reception::renderedMarks(request, table, conditions), rate,
                     sound->samples.size(), answered);
    AnswerVoice voice(rate, std::max<std::int16_t>(deriveKeyingValues(request.parameters, rate).toneAmplitude, 1));
    std::optional<Error> failed;
    std::size_t spoken = 0;
    const auto speech = [&](const std::u32string& unit) -> std::vector<std::int16_t> {
        if (progress)
            progress(static_cast<double>(++spoken) / static_cast<double>(points.size()));
        Result<std::vector<std::int16_t>> said = voice.say(unit);
        if (!said) {
            failed = said.error();
            return {};
        }
        return std::move(*said);
    };
    const auto pause =
        static_cast<std::uint64_t>(std::llround(std::clamp(pauseSeconds, kMinAnswerPause, kMaxAnswerPause) * rate));
    std::vector<Insertion> insertions;
    std::vector<std::int16_t> withVoice = withAnswers(sound->samples, points, speech, pause, &insertions);
    if (failed)
        return *failed;
    if (!preface.empty()) {
        Result<std::vector<std::int16_t>> first = voice.sayPhrase(preface);
        if (!first)
            return first.error();
        first->resize(first->size() + pause / 2, 0);
        withVoice.insert(withVoice.begin(), first->begin(), first->end());
        insertions.insert(insertions.begin(), Insertion{0, first->size()});
    }
    if (withVoice.size() > kMaxWavSamples)
        return fail(ErrorCode::TooLong, std::string(messages::kTooLong));
    const auto header = wavHeader(static_cast<std::uint32_t>(withVoice.size()), rate);
    std::string file(header.begin(), header.end());
    file.reserve(file.size() + 2 * withVoice.size());
    for (const std::int16_t sample : withVoice) {
        const auto value = static_cast<std::uint16_t>(sample);
        file += static_cast<char>(value & 0xFFU);
        file += static_cast<char>(value >> 8U);
    }
    if (Result<void> written = writeFileAtomically(request.path, file); !written)
        return written.error();
    return insertions;
}

} // namespace brivo::speech
