#pragma once

#include "common/result.h"
#include "practice/copy_check.h"

#include <QDateTime>
#include <QString>

#include <filesystem>
#include <map>
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
};

// One check as the history keeps it.
struct StoredCheck {
    QDateTime checkedAt; // UTC
    double score = 0;
};

// The history of the copy checks, in an SQLite file (through Qt SQL): a
// table `sessions` (one row per check) and a table `char_stats` (the
// per-character counts of each). The schema carries its version in
// PRAGMA user_version and is migrated forward, never dropped. Every call
// opens the file, works in one transaction and closes it, so another
// program holding the file only delays (2 s) or refuses one check; each
// failure is a French message (ErrorCode::WriteFailed or ReadFailed), and
// nothing stored before is lost.
class HistoryStore {
public:
    static constexpr int kSchemaVersion = 1;

    explicit HistoryStore(std::filesystem::path file) : file_(std::move(file)) {}

    const std::filesystem::path& file() const { return file_; }

    // Stores a check with its conditions, at `checkedAt` (UTC).
    Result<void> record(const CopyCheck& check, const ExerciseConditions& conditions, const QDateTime& checkedAt);
    // Every check, oldest first.
    Result<std::vector<StoredCheck>> checks() const;
    // The per-character counts summed over the last `count` checks (all
    // checks for count <= 0).
    Result<std::map<char32_t, CharacterCount>> counts(int count) const;
    // Writes every check as CSV (comma-separated, RFC 4180 quoting, UTF-8).
    Result<void> exportCsv(const std::filesystem::path& target) const;

private:
    std::filesystem::path file_;
};

} // namespace brivo::practice
