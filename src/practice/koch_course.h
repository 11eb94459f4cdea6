#pragma once

#include "common/random_generator.h"
#include "common/result.h"
#include "practice/copy_check.h"

#include <cstddef>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace brivo::practice {

// A course of lessons in the Koch method: lesson n (n >= 2) teaches the
// first n characters of an order, the n-th being the newest. Everything
// here is deterministic for a given seed.

inline constexpr std::string_view kDefaultOrderName = "lcwo";
inline constexpr int kFirstLesson = 2;

// The published orders by name ("lcwo", "kochmorse"), ending with the
// prosigns AR, SK and BT (+, *, =) that `keyed` can key; nothing for another
// name. A course's history also holds the checks made on its order before
// the prosigns were added, so the course stays where it was.
std::optional<std::u32string> namedOrder(std::string_view name, const KeyedPredicate& keyed = {});

// An order written by the trainee: one line of characters, separated by
// blanks or not, taken in upper case. Refused (Refused, French message) when
// it holds fewer than two characters, a character twice, or one that
// `keyed` cannot key. The published orders go through the same check.
Result<std::u32string> parseOrder(std::string_view utf8, const KeyedPredicate& keyed);

// What the course knows of the trainee.
struct CourseState {
    std::u32string order;
    int lesson = kFirstLesson;
    // Exponentially weighted error rate of each character checked; 0.5
    // before its first check.
    std::map<char32_t, double> errorRates;
    int checksInLesson = 0;
    // The newest character, each time it was sent in this lesson: true when
    // right; the last kNewestWindow at most.
    std::deque<bool> newestSamples;

    static constexpr double kInitialErrorRate = 0.5;
    static constexpr std::size_t kNewestWindow = 50;

    std::u32string characters() const; // the lesson's, in order
    char32_t newest() const;
    double errorRate(char32_t c) const;
    // w_c = min(5, 1 + 4 e_c + b_c), with b_c = 1.5 for the newest
    // character over the first three checks of its lesson.
    double weight(char32_t c) const;
};

// Sets the lesson by hand (clamped to 2 .. the order's length): the error
// rates stay, the lesson's own counts start again.
void chooseLesson(CourseState& state, int lesson);

// How far the last check of a lesson is from moving the course on.
struct AdvanceProgress {
    double lastScore = 0;
    int lastSent = 0; // non-blank characters sent
    int newestSamples = 0;
    int newestRight = 0;
};

// The rule: a score of at least 90.0 with at least 100 non-blank characters
// sent, and the newest character right at least 80 % of at least its last
// 10 sendings in this lesson.
bool meetsAdvanceRule(const AdvanceProgress& progress);

// Takes a check of the current lesson: updates each error rate of the
// lesson's characters that were sent (e := 0.85 e + 0.15 w / s), the
// newest character's samples, and moves to the next lesson when the rule
// holds (the last lesson stays). Gives the progress the rule was judged on.
AdvanceProgress recordCheck(CourseState& state, const CopyCheck& check);

// Updates the error rates of the lesson's characters that were sent, as a
// check does, and nothing else: what a drill made for the course gives.
void feedErrorRates(CourseState& state, const std::map<char32_t, CharacterCount>& perCharacter);

// What the last check lacks to move the course on, in French ("un score
// d'au moins 90 % (ici 85,0 %)", ...), joined by " ; "; empty when the
// rule holds.
std::string missingForAdvance(const AdvanceProgress& progress);

// The first session of a lesson is preceded by its newest character
// played three times ("U U U"); lesson 2 introduces both of its
// characters ("K K K M M M"). Nothing once the lesson has a check.
std::u32string introduction(const CourseState& state);

// The last lesson passed by the rule: the course is done, and its sessions
// go on over every character, by weight.
bool courseCompleted(const CourseState& state, const AdvanceProgress& progress);
std::string courseCompletedMessage(const CourseState& state);

// A check as the history keeps it for the course. The normalised texts,
// when kept, give back the order in which characters were missed.
struct CourseCheck {
    int lesson = kFirstLesson;
    double score = 0;
    std::map<char32_t, CharacterCount> perCharacter;
    std::u32string sent;
    std::u32string copied;
    bool drill = false; // a drill's results: they move the error rates, and nothing else
};

// A lesson chosen by hand, after the first `afterChecks` checks of the
// course.
struct LessonChoice {
    std::size_t afterChecks = 0;
    int lesson = kFirstLesson;
};

// The state of a course rebuilt by replaying its stored checks and the
// lessons chosen by hand, in order: a check of another lesson than the
// current one also means that lesson was chosen. `last`, when given,
// receives the progress of the last check when it was of the lesson the
// course is now at (nothing yet otherwise).
CourseState replayCourse(const std::u32string& order, const std::vector<CourseCheck>& checks,
                         const std::vector<LessonChoice>& choices = {}, AdvanceProgress* last = nullptr);

// A session: its length in groups, or in minutes at the sound settings (the
// duration of a text comes from `seconds`, the render's own timing); group
// size 2 .. 8, or 0 for random lengths of 2 .. 7.
struct SessionSpec {
    std::optional<int> groups;
    std::optional<double> minutes;
    int groupSize = 5;
};
using TextDuration = std::function<double(const std::u32string& text)>;

// Draws the session's text: characters with probability w_c / sum w, and,
// after a character the trainee once copied as another character of the
// lesson, that character next in the group with probability 0.2. The first
// session of a lesson starts with its newest character alone, five times.
std::u32string drawSession(const CourseState& state, const std::map<std::pair<char32_t, char32_t>, int>& confusions,
                           const SessionSpec& spec, const TextDuration& seconds, RandomGenerator& random);

// The course's own speeds in words per minute: its characters are keyed at
// `characterWpm` and spaced out to `effectiveWpm` (ARRL); equal speeds
// add no spacing. With `step`, each lesson passed raises the effective
// speed by 1, up to the character speed.
struct CourseSpeeds {
    int characterWpm = 20;
    int effectiveWpm = 10;
    bool step = false;

    static constexpr int kMinWpm = 5;
    static constexpr int kMaxWpm = 33; // the renderer's fastest speed

    bool operator==(const CourseSpeeds&) const = default;
};

// How long `text` lasts keyed at the course's speeds with `table`, as the
// render keys it.
double courseSeconds(const std::u32string& text, const MorseTable& table, const CourseSpeeds& speeds);

// The course window's choices, kept in the settings as one line of words:
// "minutes=5 groups=0 size=5 mask=1 play=1 wpm=20 effective=10 step=0
// material=words-fr list=/home/a%20b/calls.txt order=lcwo". The order is a published order's
// name or a file's path (written last, as it may hold blanks); the list's
// path has its blanks and "%" escaped. Words that do not read are skipped,
// and so is the lesson of older lines: the history holds the lesson.
struct CourseSettings {
    std::string order = std::string(kDefaultOrderName);
    double minutes = 5;
    int groups = 0; // more than 0: the length in groups instead
    int groupSize = 5;
    bool mask = true;
    bool play = true;
    std::string material = "groups"; // groups, words-fr, words-en, calls, abbrev, qso-fr, qso-en, list
    std::string list;                // the personal list's path
    CourseSpeeds speeds;

    bool operator==(const CourseSettings&) const = default;
};
std::string courseSettingsText(const CourseSettings& settings);
// Words that do not read are added to `skipped` when given (not the older
// lines' lesson, which is dropped on purpose).
CourseSettings parseCourseSettings(std::string_view text, std::vector<std::string>* skipped = nullptr);

} // namespace brivo::practice
