#pragma once

#include "audio/message_renderer.h"
#include "common/key_code.h"
#include "morse/morse_table.h"
#include "reception/keyed_marks.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace brivo::speech {

// Eyes-free practice: after each group or word is keyed, a pause, then its
// answer spoken in French, then the keying goes on. The keyed samples stay
// exactly as rendered; the answers go into the silences between words.

// The words read as words (the others are spelled): upper case.
using WordTest = std::function<bool(std::u32string_view unit)>;

// What is said for one group or word: the word itself when `isWord` knows
// it (a built-in French word as it is written in French, accents and
// all), else each character by its French name ("ka, èm, u"), the procedure
// signals by theirs ("A R" for "+").
std::string spokenAnswer(std::u32string_view unit, const WordTest& isWord);

// Where an answer goes: after the word that ends at `sample` (the middle of
// the silence after it, or the end of the file), with that word.
struct AnswerPoint {
    std::uint64_t sample = 0;
    std::u32string unit;
    KeyedText keyed; // the word's key codes as the text has them
};

// The key codes of a rendered text whose words are answered, [from, to):
// the exercise, without the start and end characters keyed around it.
struct AnswerSpan {
    std::size_t from = 0;
    std::size_t to = static_cast<std::size_t>(-1);
};

// The answer points of a render of `text` (its key-downs `marks`, at
// `sampleRate`, `totalSamples` long): one after every blank-separated word
// that has key-downs, the last at the end. Only the characters inside
// `answered` are said: a start glued to the first word is keyed, not
// answered.
std::vector<AnswerPoint> answerPoints(const KeyedText& text, const MorseTable& table,
                                      const reception::KeyedMarks& marks, int sampleRate, std::uint64_t totalSamples,
                                      const AnswerSpan& answered = {});

// What went in at a point of the render: `length` samples at `at`.
using Insertion = Opening;

// Where a sample of the render is once the answers are in: the answers at
// or before it come first.
std::uint64_t afterAnswers(std::uint64_t sample, const std::vector<Insertion>& insertions);

} // namespace brivo::speech
