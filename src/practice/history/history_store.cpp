#include "practice/history/history_store.h"

#include "common/atomic_file.h"
#include "common/file_io.h"
#include "common/messages.h"
#include "common/utf8.h"
#include "reception/conditions_text.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <algorithm>
#include <atomic>
#include <cerrno>

namespace brivo::practice {

using namespace Qt::StringLiterals;

namespace {

// The reason of a failed statement, in French for the usual ones.
std::string reasonOf(const QSqlError& error)
{
    if (!QSqlDatabase::isDriverAvailable(u"QSQLITE"_s))
        return "le pilote SQLite de Qt n'est pas installé (paquet libqt6sql6-sqlite)";
    // SQLite's primary result code is the low byte of its extended one.
    bool numeric = false;
    const int code = error.nativeErrorCode().toInt(&numeric) & 0xFF;
    if (!numeric)
        return error.text().toStdString();
    switch (code) {
    case 5: // SQLITE_BUSY
    case 6: // SQLITE_LOCKED
        return "le fichier est verrouillé par un autre programme";
    case 8: // SQLITE_READONLY
        return "le fichier est en lecture seule";
    case 10: // SQLITE_IOERR
        return "erreur d'entrée-sortie sur le disque (le fichier est peut-être un dossier ou illisible)";
    case 13: // SQLITE_FULL
        return "le disque est plein";
    case 14: // SQLITE_CANTOPEN
        return "le fichier ne peut pas être ouvert";
    case 11: // SQLITE_CORRUPT
    case 26: // SQLITE_NOTADB
        return "le fichier n'est pas une base SQLite valide";
    case 23: // SQLITE_AUTH
    case 3:  // SQLITE_PERM
        return "permission refusée";
    default:
        return "erreur SQLite " + std::to_string(code) + " (" + error.text().toStdString() + ")";
    }
}

// One connection to the file for the time of a call.
class Connection {
public:
    Connection(const std::filesystem::path& file, bool readOnly)
        : name_(u"brivo-history-%1"_s.arg(nextNumber_.fetch_add(1)))
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, name_);
        db.setDatabaseName(QString::fromStdString(file.string()));
        db.setConnectOptions(readOnly ? u"QSQLITE_BUSY_TIMEOUT=2000;QSQLITE_OPEN_READONLY"_s
                                      : u"QSQLITE_BUSY_TIMEOUT=2000"_s);
        opened_ = db.open();
        if (!opened_)
            error_ = db.lastError();
    }
    ~Connection()
    {
        {
            QSqlDatabase db = QSqlDatabase::database(name_, false);
            db.close();
        }
        QSqlDatabase::removeDatabase(name_);
    }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    bool opened() const { return opened_; }
    const QSqlError& openError() const { return error_; }
    QSqlDatabase db() const { return QSqlDatabase::database(name_, false); }

private:
    static inline std::atomic<int> nextNumber_{0};
    QString name_;
    bool opened_ = false;
    QSqlError error_;
};

// The schema steps, each taking the file from version i to i + 1.
const std::vector<std::vector<QString>>& migrations()
{
    static const std::vector<std::vector<QString>> steps = {
        {
            u"CREATE TABLE IF NOT EXISTS sessions (id INTEGER PRIMARY KEY, checked_at TEXT NOT NULL, sent TEXT NOT "
            "NULL, copied TEXT NOT NULL, score REAL NOT NULL, distance INTEGER NOT NULL, wpm REAL NOT NULL, spacing "
            "INTEGER NOT NULL, noise INTEGER NOT NULL)"_s,
            u"CREATE TABLE IF NOT EXISTS char_stats (session_id INTEGER NOT NULL REFERENCES sessions(id), character "
            "TEXT NOT NULL, sent INTEGER NOT NULL, wrong INTEGER NOT NULL)"_s,
            u"CREATE INDEX IF NOT EXISTS char_stats_session ON char_stats(session_id)"_s,
        },
        {
            u"ALTER TABLE sessions ADD COLUMN conditions TEXT NOT NULL DEFAULT ''"_s,
            u"ALTER TABLE sessions ADD COLUMN effective_wpm REAL"_s,
            u"ALTER TABLE sessions ADD COLUMN course_order TEXT"_s,
            u"ALTER TABLE sessions ADD COLUMN course_lesson INTEGER"_s,
            u"CREATE TABLE IF NOT EXISTS confusions (session_id INTEGER NOT NULL REFERENCES sessions(id), sent TEXT "
            "NOT NULL, copied TEXT NOT NULL, count INTEGER NOT NULL)"_s,
        },
        {
            u"ALTER TABLE sessions ADD COLUMN course_material TEXT"_s,
        },
        {
            u"CREATE TABLE IF NOT EXISTS lesson_choices (id INTEGER PRIMARY KEY, chosen_at TEXT NOT NULL, "
            "after_session INTEGER NOT NULL, course_order TEXT NOT NULL, lesson INTEGER NOT NULL)"_s,
        },
        {
            u"CREATE TABLE IF NOT EXISTS sending_sessions (id INTEGER PRIMARY KEY, sent_at TEXT NOT NULL, kind TEXT "
            "NOT NULL, wpm REAL NOT NULL, score REAL NOT NULL)"_s,
            u"CREATE TABLE IF NOT EXISTS sending_chars (session_id INTEGER NOT NULL REFERENCES sending_sessions(id), "
            "character TEXT NOT NULL, sent INTEGER NOT NULL, wrong INTEGER NOT NULL)"_s,
        },
        {
            u"CREATE TABLE IF NOT EXISTS drill_answers (id INTEGER PRIMARY KEY, answered_at TEXT NOT NULL, "
            "character TEXT NOT NULL, typed TEXT, reaction_ms REAL NOT NULL)"_s,
            u"CREATE TABLE IF NOT EXISTS callsign_runs (id INTEGER PRIMARY KEY, run_at TEXT NOT NULL, points REAL "
            "NOT NULL, calls INTEGER NOT NULL, correct INTEGER NOT NULL, speeds TEXT NOT NULL)"_s,
        },
    };
    return steps;
}

int schemaVersion(QSqlQuery& query)
{
    if (!query.exec(u"PRAGMA user_version"_s) || !query.next())
        return -1;
    return query.value(0).toInt();
}

// Brings the file to the current schema, inside the caller's transaction.
std::optional<std::string> migrate(QSqlQuery& query)
{
    const int version = schemaVersion(query);
    if (version < 0)
        return reasonOf(query.lastError());
    if (version > HistoryStore::kSchemaVersion)
        return std::string(messages::kHistoryTooNew);
    // A file of no version that already holds a table of our names is
    // another program's: it is left as it is.
    if (version == 0) {
        if (!query.exec(u"SELECT count(*) FROM sqlite_master WHERE name IN ('sessions', 'char_stats')"_s) ||
            !query.next())
            return reasonOf(query.lastError());
        if (query.value(0).toInt() > 0)
            return std::string(messages::kHistoryForeign);
    }
    for (int step = version; step < HistoryStore::kSchemaVersion; ++step) {
        for (const QString& statement : migrations()[static_cast<std::size_t>(step)]) {
            if (!query.exec(statement))
                return reasonOf(query.lastError());
        }
    }
    if (version != HistoryStore::kSchemaVersion &&
        !query.exec(u"PRAGMA user_version = %1"_s.arg(HistoryStore::kSchemaVersion)))
        return reasonOf(query.lastError());
    return std::nullopt;
}

QString fromCodePoint(char32_t c)
{
    return QString::fromUcs4(&c, 1);
}

QString fromCodePoints(const std::u32string& text)
{
    return QString::fromUcs4(text.data(), static_cast<qsizetype>(text.size()));
}

char32_t toCodePoint(const QString& text)
{
    const QList<uint> points = text.toUcs4();
    return points.isEmpty() ? U'\0' : static_cast<char32_t>(points.front());
}

// The per-character counts of the session `id` into `table` (one of ours:
// char_stats or sending_chars).
bool insertCounts(QSqlQuery& query, const QString& table, const QVariant& id,
                  const std::map<char32_t, CharacterCount>& counts)
{
    for (const auto& [character, count] : counts) {
        query.prepare(u"INSERT INTO %1 (session_id, character, sent, wrong) VALUES (?, ?, ?, ?)"_s.arg(table));
        query.addBindValue(id);
        query.addBindValue(fromCodePoint(character));
        query.addBindValue(count.sent);
        query.addBindValue(count.wrong);
        if (!query.exec())
            return false;
    }
    return true;
}

bool fileExists(const std::filesystem::path& file)
{
    std::error_code ignored;
    return std::filesystem::exists(file, ignored);
}

// Reading: a missing file is an empty history; a readable one is read
// without being changed.
template <typename T, typename Reader> Result<T> readHistory(const std::filesystem::path& file, Reader reader)
{
    if (!fileExists(file))
        return T{};
    const auto failed = [&file](const std::string& reason) {
        return fail(ErrorCode::ReadFailed, messages::historyNotRead(file.string(), reason));
    };
    // SQLite opens a folder as an empty database, and fails only on writing.
    if (std::error_code ignored; std::filesystem::is_directory(file, ignored))
        return failed(systemErrorText(EISDIR));
    const Connection connection(file, true);
    if (!connection.opened())
        return failed(reasonOf(connection.openError()));
    QSqlQuery query(connection.db());
    const int version = schemaVersion(query);
    if (version < 0)
        return failed(reasonOf(query.lastError()));
    if (version == 0)
        return T{}; // an empty file: no check yet
    if (version > HistoryStore::kSchemaVersion)
        return failed(std::string(messages::kHistoryTooNew));
    T value{};
    if (!reader(query, value))
        return failed(reasonOf(query.lastError()));
    return value;
}

} // namespace

ExerciseConditions exerciseConditions(const KeyingParameters& keying, const reception::ReceptionConditions& conditions)
{
    return {keying.speedPosition / 6.0, keying.spacingFactor, keying.noisePosition / 2,
            conditions.any() ? reception::conditionsText(conditions) : std::string(), conditions.effectiveWpm};
}

std::filesystem::path historyFilePath(const char* xdgDataHome, const char* home)
{
    std::filesystem::path base;
    if (xdgDataHome != nullptr && *xdgDataHome != '\0')
        base = xdgDataHome;
    else
        base = std::filesystem::path(home != nullptr ? home : "") / ".local" / "share";
    return base / "ZORVANE" / "BRIVO" / "historique.sqlite";
}

namespace {

// Writing: the folder is made when missing, the schema brought forward, and
// `writer` runs in one transaction taken for writing at once, so that a
// busy file waits before anything is done, not halfway.
template <typename Writer> Result<void> writeHistory(const std::filesystem::path& file, Writer writer)
{
    const auto failed = [&file](const std::string& reason) {
        return fail(ErrorCode::WriteFailed, messages::historyNotSaved(file.string(), reason));
    };
    std::error_code folderError;
    if (file.has_parent_path())
        std::filesystem::create_directories(file.parent_path(), folderError);
    if (folderError)
        return failed(systemErrorText(folderError));

    const Connection connection(file, false);
    if (!connection.opened())
        return failed(reasonOf(connection.openError()));
    QSqlDatabase db = connection.db();
    QSqlQuery query(db);
    if (!query.exec(u"BEGIN IMMEDIATE"_s))
        return failed(reasonOf(query.lastError()));
    if (const std::optional<std::string> problem = migrate(query)) {
        query.exec(u"ROLLBACK"_s);
        return failed(*problem);
    }
    if (!writer(query) || !query.exec(u"COMMIT"_s)) {
        const std::string reason = reasonOf(query.lastError());
        query.exec(u"ROLLBACK"_s);
        return failed(reason);
    }
    return {};
}

} // namespace

Result<void> HistoryStore::record(const CopyCheck& check, const ExerciseConditions& conditions,
                                  const QDateTime& checkedAt, const std::optional<CourseTag>& course)
{
    return writeHistory(file_, [&](QSqlQuery& query) {
        query.prepare(
            u"INSERT INTO sessions (checked_at, sent, copied, score, distance, wpm, spacing, noise, "
            "conditions, effective_wpm, course_order, course_lesson, course_material) VALUES (?, ?, ?, ?, ?, ?, ?, "
            "?, ?, ?, ?, ?, ?)"_s);
        query.addBindValue(checkedAt.toUTC().toString(Qt::ISODate));
        query.addBindValue(fromCodePoints(check.sent));
        query.addBindValue(fromCodePoints(check.copied));
        query.addBindValue(check.score);
        query.addBindValue(static_cast<qlonglong>(check.distance));
        query.addBindValue(conditions.wpm);
        query.addBindValue(conditions.spacing);
        query.addBindValue(conditions.noise);
        query.addBindValue(QString::fromStdString(conditions.reception));
        query.addBindValue(conditions.effectiveWpm ? QVariant(*conditions.effectiveWpm) : QVariant());
        query.addBindValue(course ? QVariant(fromCodePoints(course->order)) : QVariant());
        query.addBindValue(course ? QVariant(course->lesson) : QVariant());
        query.addBindValue(course ? QVariant(QString::fromStdString(course->material)) : QVariant());
        if (!query.exec())
            return false;
        const QVariant session = query.lastInsertId();
        for (const auto& [pair, count] : check.confusions) {
            query.prepare(u"INSERT INTO confusions (session_id, sent, copied, count) VALUES (?, ?, ?, ?)"_s);
            query.addBindValue(session);
            query.addBindValue(fromCodePoint(pair.first));
            query.addBindValue(fromCodePoint(pair.second));
            query.addBindValue(count);
            if (!query.exec())
                return false;
        }
        return insertCounts(query, u"char_stats"_s, session, check.perCharacter);
    });
}

Result<void> HistoryStore::recordLessonChoice(const std::u32string& order, int lesson, const QDateTime& chosenAt)
{
    return writeHistory(file_, [&](QSqlQuery& query) {
        query.prepare(u"INSERT INTO lesson_choices (chosen_at, after_session, course_order, lesson) VALUES (?, "
                      "(SELECT COALESCE(MAX(id), 0) FROM sessions), ?, ?)"_s);
        query.addBindValue(chosenAt.toUTC().toString(Qt::ISODate));
        query.addBindValue(fromCodePoints(order));
        query.addBindValue(lesson);
        return query.exec();
    });
}

Result<void> HistoryStore::recordSending(const SendingSession& session)
{
    return writeHistory(file_, [&](QSqlQuery& query) {
        query.prepare(u"INSERT INTO sending_sessions (sent_at, kind, wpm, score) VALUES (?, ?, ?, ?)"_s);
        query.addBindValue(session.sentAt.toUTC().toString(Qt::ISODate));
        query.addBindValue(session.kind == SendingSession::Kind::Echo ? u"echo"_s : u"report"_s);
        query.addBindValue(session.wpm);
        query.addBindValue(session.score);
        if (!query.exec())
            return false;
        return insertCounts(query, u"sending_chars"_s, query.lastInsertId(), session.perCharacter);
    });
}

Result<std::vector<SendingSession>> HistoryStore::sendingSessions() const
{
    return readHistory<std::vector<SendingSession>>(file_, [](QSqlQuery& query, std::vector<SendingSession>& out) {
        if (schemaVersion(query) < 5)
            return true; // none before the sending exercises came
        std::map<qlonglong, std::size_t> rows;
        if (!query.exec(u"SELECT id, sent_at, kind, wpm, score FROM sending_sessions ORDER BY id"_s))
            return false;
        while (query.next()) {
            QDateTime at = QDateTime::fromString(query.value(1).toString(), Qt::ISODate);
            at.setTimeSpec(Qt::UTC);
            rows[query.value(0).toLongLong()] = out.size();
            out.push_back(
                {query.value(2).toString() == u"echo"_s ? SendingSession::Kind::Echo : SendingSession::Kind::Report,
                 at,
                 query.value(3).toDouble(),
                 query.value(4).toDouble(),
                 {}});
        }
        if (!query.exec(u"SELECT session_id, character, sent, wrong FROM sending_chars"_s))
            return false;
        while (query.next()) {
            const auto row = rows.find(query.value(0).toLongLong());
            if (row == rows.end())
                continue;
            CharacterCount& count = out[row->second].perCharacter[toCodePoint(query.value(1).toString())];
            count.sent += query.value(2).toInt();
            count.wrong += query.value(3).toInt();
        }
        return true;
    });
}

Result<void> HistoryStore::recordCharacterAnswers(const std::vector<drills::CharacterAnswer>& answers,
                                                  const QDateTime& answeredAt)
{
    return writeHistory(file_, [&](QSqlQuery& query) {
        for (const drills::CharacterAnswer& answer : answers) {
            query.prepare(
                u"INSERT INTO drill_answers (answered_at, character, typed, reaction_ms) VALUES (?, ?, ?, ?)"_s);
            query.addBindValue(answeredAt.toUTC().toString(Qt::ISODate));
            query.addBindValue(fromCodePoints(std::u32string(1, answer.sent)));
            query.addBindValue(answer.typed ? QVariant(fromCodePoints(std::u32string(1, *answer.typed))) : QVariant());
            query.addBindValue(answer.reactionMs);
            if (!query.exec())
                return false;
        }
        return true;
    });
}

Result<std::vector<drills::CharacterAnswer>> HistoryStore::characterAnswers() const
{
    using Answers = std::vector<drills::CharacterAnswer>;
    return readHistory<Answers>(file_, [](QSqlQuery& query, Answers& out) {
        if (schemaVersion(query) < 6)
            return true; // none before the drills came
        if (!query.exec(u"SELECT character, typed, reaction_ms FROM drill_answers ORDER BY id"_s))
            return false;
        while (query.next()) {
            drills::CharacterAnswer answer{toCodePoint(query.value(0).toString()), std::nullopt,
                                           query.value(2).toDouble()};
            if (!query.value(1).isNull())
                answer.typed = toCodePoint(query.value(1).toString());
            out.push_back(answer);
        }
        return true;
    });
}

Result<void> HistoryStore::recordCallsignRun(const CallsignRunRecord& run)
{
    return writeHistory(file_, [&](QSqlQuery& query) {
        QStringList speeds;
        for (const double wpm : run.speeds)
            speeds << QString::number(wpm, 'g', 10);
        query.prepare(u"INSERT INTO callsign_runs (run_at, points, calls, correct, speeds) VALUES (?, ?, ?, ?, ?)"_s);
        query.addBindValue(run.runAt.toUTC().toString(Qt::ISODate));
        query.addBindValue(run.points);
        query.addBindValue(run.calls);
        query.addBindValue(run.correct);
        query.addBindValue(speeds.join(u' '));
        return query.exec();
    });
}

Result<std::vector<CallsignRunRecord>> HistoryStore::callsignRuns() const
{
    using Runs = std::vector<CallsignRunRecord>;
    return readHistory<Runs>(file_, [](QSqlQuery& query, Runs& out) {
        if (schemaVersion(query) < 6)
            return true;
        if (!query.exec(u"SELECT run_at, points, calls, correct, speeds FROM callsign_runs ORDER BY id"_s))
            return false;
        while (query.next()) {
            QDateTime at = QDateTime::fromString(query.value(0).toString(), Qt::ISODate);
            at.setTimeSpec(Qt::UTC);
            CallsignRunRecord run{at, query.value(1).toDouble(), query.value(2).toInt(), query.value(3).toInt(), {}};
            for (const QString& speed : query.value(4).toString().split(u' ', Qt::SkipEmptyParts))
                run.speeds.push_back(speed.toDouble());
            out.push_back(std::move(run));
        }
        return true;
    });
}

Result<std::vector<StoredCheck>> HistoryStore::checks() const
{
    return readHistory<std::vector<StoredCheck>>(file_, [](QSqlQuery& query, std::vector<StoredCheck>& out) {
        const int version = schemaVersion(query);
        // The drills' results feed the course, but are not checks of a copy.
        const QString notDrills =
            version >= 3 ? u" WHERE course_material IS NULL OR course_material NOT LIKE 'drill-%'"_s : QString();
        if (!query.exec(version >= 2 ? u"SELECT checked_at, score, conditions <> '' FROM sessions"_s + notDrills +
                                           u" ORDER BY id"_s
                                     : u"SELECT checked_at, score, 0 FROM sessions ORDER BY id"_s))
            return false;
        while (query.next()) {
            QDateTime at = QDateTime::fromString(query.value(0).toString(), Qt::ISODate);
            at.setTimeSpec(Qt::UTC);
            out.push_back({at, query.value(1).toDouble(), query.value(2).toBool()});
        }
        return true;
    });
}

Result<std::map<char32_t, CharacterCount>> HistoryStore::counts(int count) const
{
    using Counts = std::map<char32_t, CharacterCount>;
    return readHistory<Counts>(file_, [count](QSqlQuery& query, Counts& out) {
        query.prepare(u"SELECT character, SUM(sent), SUM(wrong) FROM char_stats WHERE session_id IN "
                      "(SELECT id FROM sessions ORDER BY id DESC LIMIT ?) GROUP BY character"_s);
        query.addBindValue(count > 0 ? count : -1); // a negative limit is none
        if (!query.exec())
            return false;
        while (query.next()) {
            CharacterCount& entry = out[toCodePoint(query.value(0).toString())];
            entry.sent += query.value(1).toInt();
            entry.wrong += query.value(2).toInt();
        }
        return true;
    });
}

Result<CourseHistory> HistoryStore::course(const std::u32string& order) const
{
    // A course's rows: those of its order, and those of the same order
    // before prosigns (+ * =) were added at its end.
    const QString kSameCourse = u"(course_order = ? OR (substr(?, 1, length(course_order)) = course_order AND "
                                u"rtrim(substr(?, length(course_order) + 1), '+*=') = ''))"_s;
    return readHistory<CourseHistory>(file_, [&order, &kSameCourse](QSqlQuery& query, CourseHistory& out) {
        if (schemaVersion(query) < 2)
            return true; // no course before this schema
        const QString material = schemaVersion(query) >= 3 ? u"course_material"_s : u"NULL"_s;
        query.prepare(u"SELECT id, course_lesson, score, sent, copied, "_s + material + u" FROM sessions WHERE "_s +
                      kSameCourse + u" ORDER BY id"_s);
        for (int i = 0; i < 3; ++i) // the order, in each place of the condition
            query.addBindValue(fromCodePoints(order));
        if (!query.exec())
            return false;
        std::vector<qlonglong> ids;
        while (query.next()) {
            ids.push_back(query.value(0).toLongLong());
            const auto codePoints = [&query](int column) {
                const QList<uint> points = query.value(column).toString().toUcs4();
                return std::u32string(points.begin(), points.end());
            };
            out.checks.push_back({query.value(1).toInt(),
                                  query.value(2).toDouble(),
                                  {},
                                  codePoints(3),
                                  codePoints(4),
                                  query.value(5).toString().startsWith(u"drill-"_s)});
        }
        if (schemaVersion(query) >= 4) {
            query.prepare(u"SELECT after_session, lesson FROM lesson_choices WHERE "_s + kSameCourse +
                          u" ORDER BY id"_s);
            for (int i = 0; i < 3; ++i)
                query.addBindValue(fromCodePoints(order));
            if (!query.exec())
                return false;
            while (query.next()) {
                const qlonglong after = query.value(0).toLongLong();
                const auto checksBefore =
                    static_cast<std::size_t>(std::upper_bound(ids.begin(), ids.end(), after) - ids.begin());
                out.choices.push_back({checksBefore, query.value(1).toInt()});
            }
        }
        for (std::size_t i = 0; i < ids.size(); ++i) {
            query.prepare(u"SELECT character, sent, wrong FROM char_stats WHERE session_id = ?"_s);
            query.addBindValue(ids[i]);
            if (!query.exec())
                return false;
            while (query.next())
                out.checks[i].perCharacter[toCodePoint(query.value(0).toString())] = {query.value(1).toInt(),
                                                                                      query.value(2).toInt()};
            query.prepare(u"SELECT sent, copied, count FROM confusions WHERE session_id = ?"_s);
            query.addBindValue(ids[i]);
            if (!query.exec())
                return false;
            while (query.next())
                out.confusions[{toCodePoint(query.value(0).toString()), toCodePoint(query.value(1).toString())}] +=
                    query.value(2).toInt();
        }
        return true;
    });
}

Result<void> HistoryStore::exportCsv(const std::filesystem::path& target) const
{
    const auto quoted = [](const QString& field) {
        QString text = field;
        text.replace(u"\""_s, u"\"\""_s);
        return u"\""_s + text + u"\""_s;
    };
    const Result<QString> csv = readHistory<QString>(file_, [&quoted](QSqlQuery& query, QString& out) {
        // Older files lack the later columns: they export empty.
        const int version = schemaVersion(query);
        const QString conditions =
            version >= 2 ? u"conditions, effective_wpm, course_order, course_lesson"_s : u"'', NULL, NULL, NULL"_s;
        const QString material = version >= 3 ? u"course_material"_s : u"NULL"_s;
        if (!query.exec(u"SELECT id, checked_at, score, distance, wpm, spacing, noise, sent, copied, %1, %2 FROM "
                        "sessions ORDER BY id"_s.arg(conditions, material)))
            return false;
        while (query.next()) {
            const QVariant effective = query.value(10);
            out += u"%1,%2,%3,%4,%5,%6,%7,%8,%9,"_s.arg(
                query.value(0).toString(), query.value(1).toString(),
                QString::number(query.value(2).toDouble(), 'f', 1), query.value(3).toString(),
                QString::number(query.value(4).toDouble(), 'f', 1), query.value(5).toString(),
                query.value(6).toString(), quoted(query.value(7).toString()), quoted(query.value(8).toString()));
            out += u"%1,%2,%3,%4,%5\r\n"_s.arg(
                quoted(query.value(9).toString()),
                effective.isNull() ? QString() : QString::number(effective.toDouble(), 'f', 1),
                query.value(11).isNull() ? QString() : quoted(query.value(11).toString()), query.value(12).toString(),
                query.value(13).toString());
        }
        return true;
    });
    if (!csv)
        return csv.error();
    const QString header = u"id,checked_at,score,distance,wpm,spacing,noise,sent,copied,conditions,effective_wpm,"
                           "course_order,course_lesson,course_material\r\n"_s;
    const Result<void> written = writeFileAtomically(target, (header + *csv).toStdString());
    if (!written)
        return fail(ErrorCode::WriteFailed, messages::cannotSave(target.string(), written.error().message));
    return {};
}

} // namespace brivo::practice
