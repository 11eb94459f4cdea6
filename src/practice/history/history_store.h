#pragma once

#include "audio/keying_parameters.h"
#include "common/result.h"
#include "drills/character_drill.h"
#include "practice/copy_check.h"
#include "practice/koch_course.h"
#include "reception/reception_conditions.h"

#include <QDateTime>
#include <QString>

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace brivo::practice {

// The file of the history: $XDG_DATA_HOME/ZORVANE/BRIVO/historique.sqlite,
// ~/.local/share standing for an unset or empty XDG_DATA_HOME.
std::filesystem::path historyFilePath(const char* xdgDataHome, const char* home);

// The conditions of the exercise a check was made on.
struct ExerciseConditions {
    double wpm = 0;  // words per minute
    int spacing = 1; // the character-gap factor
    int noise = 0;   // noise, percent
    // The reception conditions as their settings line; empty for a clean
    // render.
    std::string reception;
    std::optional<double> effectiveWpm;
};

// The conditions of an exercise keyed with these sound settings and
// reception conditions.
ExerciseConditions exerciseConditions(const KeyingParameters& keying, const reception::ReceptionConditions& conditions);

// The course a check was made for: its order, its lesson and the material
// of the session ("groups", "words", ... as the material kinds are named).
struct CourseTag {
    std::u32string order;
    int lesson = 2;
    std::string material = "groups";
};

// What the history holds of one course: its checks in order, and every
// confusion (sent -> copied) recorded for it.
struct CourseHistory {
    std::vector<CourseCheck> checks;
    std::vector<LessonChoice> choices;
    std::map<std::pair<char32_t, char32_t>, int> confusions;
};

// One check as the history keeps it.
struct StoredCheck {
    QDateTime checkedAt; // UTC
    double score = 0;
    bool underConditions = false; // made with reception conditions on
};

// One sending exercise: the fist report of a stretch of keying, or a run of
// the echo drill, with what each character sent gave.
struct SendingSession {
    enum class Kind { Report, Echo };
    Kind kind = Kind::Report;
    QDateTime sentAt; // UTC
    double wpm = 0;
    double score = 0; // the report's score, or the share of echoes right, 0 to 100
    std::map<char32_t, CharacterCount> perCharacter;
};

// A run of the call-sign drill.
struct CallsignRunRecord {
    QDateTime runAt; // UTC
    double points = 0;
    int calls = 0;
    int correct = 0;
    std::vector<double> speeds; // of each call, in words per minute
};

// The history of the copy checks, in an SQLite file (through Qt SQL): a
// table `sessions` (one row per check, with its reception conditions and
// its course and material), a table `char_stats` (the per-character counts of each) and
// a table `confusions` (what each sent character was copied as) and a table
// `lesson_choices` (the lessons chosen by hand, each after a session), and
// the sending exercises in `sending_sessions` and `sending_chars`, the
// character drill's answers in `drill_answers` and the call-sign runs in
// `callsign_runs`. A drill made for the course is stored as a session of
// material "drill-characters" or "drill-calls": it feeds the course's error
// rates, and is no check of a copy. The schema carries its version in
// PRAGMA user_version and is migrated forward, never dropped. Every call
// opens the file, works in one transaction and closes it, so another
// program holding the file only delays (2 s) or refuses one check; each
// failure is a French message (ErrorCode::WriteFailed or ReadFailed), and
// nothing stored before is lost.
class HistoryStore {
public:
    static constexpr int kSchemaVersion = 6;

    explicit HistoryStore(std::filesystem::path file) : file_(std::move(file)) {}

    const std::filesystem::path& file() const { return file_; }

    // Stores a check with its conditions, at `checkedAt` (UTC), with its
    // confusions, and its course when it was made for one.
    Result<void> record(const CopyCheck& check, const ExerciseConditions& conditions, const QDateTime& checkedAt,
                        const std::optional<CourseTag>& course = std::nullopt);
    // Records that the trainee chose `lesson` of the course of `order` by
    // hand, after the checks stored so far.
    Result<void> recordLessonChoice(const std::u32string& order, int lesson, const QDateTime& chosenAt);
    // The checks of the course of `order`, oldest first, the lessons chosen
    // by hand between them, and its confusions; checks made on `order`
    // before prosigns were added at its end count as the same course.
    Result<CourseHistory> course(const std::u32string& order) const;
    // Every check, oldest first.
    Result<std::vector<StoredCheck>> checks() const;
    // The per-character counts summed over the last `count` checks (all
    // checks for count <= 0).
    Result<std::map<char32_t, CharacterCount>> counts(int count) const;
    // Stores a sending exercise, and gives them all back, oldest first.
    Result<void> recordSending(const SendingSession& session);
    Result<std::vector<SendingSession>> sendingSessions() const;
    // The character drill's answers, and gives them all back, oldest first.
    Result<void> recordCharacterAnswers(const std::vector<drills::CharacterAnswer>& answers,
                                        const QDateTime& answeredAt);
    Result<std::vector<drills::CharacterAnswer>> characterAnswers() const;
    // The call-sign drill's runs, oldest first.
    Result<void> recordCallsignRun(const CallsignRunRecord& run);
    Result<std::vector<CallsignRunRecord>> callsignRuns() const;
    // Writes every check as CSV (comma-separated, RFC 4180 quoting, UTF-8).
    Result<void> exportCsv(const std::filesystem::path& target) const;

private:
    std::filesystem::path file_;
};

} // namespace brivo::practice
