#pragma once

#include "morse/morse_table.h"
#include "sending/key_edge.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace brivo::sending {

// One key-down or key-up as the decoder judged it.
struct JudgedElement {
    enum class Kind { Dit, Dah, ElementGap, LetterGap, WordGap };
    Kind kind = Kind::Dit;
    double seconds = 0;
    double ditSeconds = 0; // the dit estimate it was judged against
};

// Reads a trainee's keying and writes the characters as they complete,
// through the table in use. It follows the trainee, in the log domain: a
// running unit (the dit), which every dit, dah and gap moves by its
// distance from its centre, so that it follows a drift at once; and the
// centres of the dah and of the letter gap in units, which follow the
// trainee's own ratios more slowly (kept at least 1.8 from the dit and the
// element gap). A mark is a dah past the geometric mean of the dit and the
// dah. A gap is a letter gap past the mean of its two centres, and a word
// gap past the mean of the letter gap and 7/3 of it; both splits move
// towards the rarer kind by as much as the gaps' own spread makes likely
// (element gaps come about twice as often as letter gaps, and these four
// times as often as word gaps). Within a word, where the
// letters part is settled by the table: of the ways to read each gap as
// an element or a letter gap, the one nearest the centres whose letters
// all exist wins (a slow element gap does not split a letter into two
// that the table lacks). With a vocabulary, a word of it whose reading of
// the gaps is almost as likely as the best reading wins, as a listener
// hears a word they know. It starts from the set speed. A pattern the
// table does not know is written "*" and the reading goes on.
class Decoder {
public:
    Decoder(const MorseTable& table, double startWpm);
    // Words the trainee is likely to send: a word whose reading is almost
    // as likely as the best is read as that word.
    void setVocabulary(const std::vector<std::u32string>& words);

    // A key edge of the keying (only Straight edges, or any contact keyed
    // as one); edges that do not change the key are ignored.
    void edge(const KeyEdge& edge);
    // The keying has been up until `micros`: ends the character, then the
    // word, once the silence is long enough.
    void idle(std::int64_t micros);

    // What was decoded so far (UTF-8), the word being keyed included, and
    // what was judged.
    std::string text() const;
    const std::vector<JudgedElement>& elements() const { return elements_; }
    // The current speed estimate, in words per minute (PARIS).
    double wpm() const;
    // True from a key-down until the word it began has ended.
    bool inWord() const { return down_ || !marks_.empty(); }

private:
    void mark(double seconds);
    void gap(double seconds);
    double letterSplit() const;
    double wordSplit() const;
    void endWord();
    // The current word's letters, read as the table settles them.
    std::string wordText() const;

    double logUnit_;
    double dahUnits_;       // log of the dah in units
    double letterGapUnits_; // log of the letter gap in units
    double gapSpread2_;     // running mean square of the gaps' distance to their centres
    bool down_ = false;
    std::int64_t since_ = 0;
    bool started_ = false;
    // The word being keyed: its marks, and each gap after a mark in units
    // (the last mark has none yet).
    std::string marks_;
    std::vector<double> gaps_;
    std::map<std::string, char32_t, std::less<>> letters_;
    std::map<char32_t, std::string> patterns_;
    // By their marks: each word's letter boundaries (the marks before each
    // cut) and its text.
    std::multimap<std::string, std::pair<std::vector<std::size_t>, std::string>, std::less<>> vocabulary_;
    std::string text_;
    std::vector<JudgedElement> elements_;
};

// Decodes a whole keying, up to a silence after it.
std::string decodeKeying(const MorseTable& table, const KeyEdges& edges, double startWpm,
                         const std::vector<std::u32string>& vocabulary = {});

} // namespace brivo::sending
