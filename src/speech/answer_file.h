#pragma once

#include "audio/message_renderer.h"
#include "common/result.h"
#include "reception/reception_conditions.h"
#include "speech/spoken_answers.h"

#include <functional>

namespace brivo::speech {

// "Réponse parlée": the pause before each answer, 1 to 10 s.
inline constexpr double kDefaultAnswerPause = 2;
inline constexpr double kMinAnswerPause = 1;
inline constexpr double kMaxAnswerPause = 10;

// The words read as words: the common French words, said as they are
// written in French; everything else is spelled.
bool isCommonFrenchWord(std::u32string_view unit);

// Puts the spoken answers into the WAV file `request` rendered (with
// `conditions`): after each word, `pauseSeconds` of silence, the answer,
// and half the pause again; a `preface`, when given, is said first, then
// half the pause. The voice is brought to the keying's level (the Signal
// setting). The keyed samples are left exactly as they are. `progress` is
// told the share of the answers done; only the words within `answered`
// are said (see answerPoints). The file is replaced whole or not at all. Gives what
// went where; fails with ReadFailed, WriteFailed, TooLong (past a WAV file's size) or DeviceFailed (no voice).
Result<std::vector<Insertion>> addSpokenAnswers(const RenderRequest& request, const MorseTable& table,
                                                const reception::ReceptionConditions& conditions, double pauseSeconds,
                                                const std::string& preface = {},
                                                const std::function<void(double)>& progress = {},
                                                const AnswerSpan& answered = {});

} // namespace brivo::speech
