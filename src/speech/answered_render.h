#pragma once

#include "audio/message_renderer.h"
#include "common/result.h"
#include "reception/reception_conditions.h"
#include "speech/answer_voice.h"
#include "speech/spoken_answers.h"

#include <memory>
#include <optional>
#include <string>

namespace brivo::speech {

// "Réponse parlée": the pause before each answer, 1 to 10 s.
inline constexpr double kDefaultAnswerPause = 2;
inline constexpr double kMinAnswerPause = 1;
inline constexpr double kMaxAnswerPause = 10;

struct AnswerOptions {
    double pauseSeconds = kDefaultAnswerPause;
    // "Morse, réponse, Morse": after its answer the word is keyed again.
    bool keyAgain = false;
};

// A render and its spoken answers, laid out before a sample is made, then
// streamed a block at a time whatever its length.
//
// After each word within `answered` (see answerPoints) the keying opens:
// `pause` of silence, the answer, half the pause (then, with keyAgain, the
// word keyed again, clean, and half the pause). A `preface`, when given,
// is said first, then half the pause. The keyed samples of the plain
// render stay exactly as they are around the answers; with reception
// conditions the band (noise, fading, other stations) runs on under the
// voice. Without options, the plain render of the request.
class AnsweredRender {
public:
    // Says every answer once to know its length: fails with DeviceFailed
    // (no voice) or TooLong (past a WAV file's size).
    static Result<AnsweredRender> plan(const RenderRequest& request, const MorseTable& table,
                                       const reception::ReceptionConditions& conditions,
                                       const std::optional<AnswerOptions>& options, const std::string& preface = {},
                                       const AnswerSpan& answered = {});

    // What went where, in samples of the render without answers.
    const Openings& insertions() const { return insertions_; }
    std::uint64_t sampleCount() const { return sampleCount_; }
    int sampleRate() const;

    // Renders it into `sink`, drawing from `random`; several renders may
    // run at once on different threads.
    Result<RenderedFile> render(RandomGenerator& random, const SampleSink& sink,
                                const RenderProgress& progress = {}) const;

private:
    struct Said {
        std::u32string unit; // empty for the preface
        KeyedText keyed;     // keyed again after the answer
        std::uint64_t voiceLength = 0;
    };
    std::vector<std::int16_t> clip(const Said& said) const;

    RenderRequest request_;
    MorseTable table_;
    reception::ReceptionConditions conditions_;
    std::uint64_t pause_ = 0;
    std::string preface_;
    std::shared_ptr<const AnswerVoice> voice_;
    std::vector<Said> said_;
    Openings insertions_;
    std::uint64_t sampleCount_ = 0;
};

// Renders `request` with its answers into the WAV file `request.path`,
// replaced whole or not at all, as renderMorseFile does (its errors too).
Result<AnsweredRender> renderAnsweredFile(const RenderRequest& request, const MorseTable& table,
                                          const reception::ReceptionConditions& conditions,
                                          const AnswerOptions& options, RandomGenerator& random,
                                          const std::string& preface = {}, const AnswerSpan& answered = {},
                                          const RenderProgress& progress = {});

} // namespace brivo::speech
