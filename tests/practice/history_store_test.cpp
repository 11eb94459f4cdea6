// The history file: created with its schema, migrated from an empty file,
// exported as CSV, refused when newer, and never losing a stored check to a
// locked or unwritable file.
#include "practice/history/history_store.h"
#include "support/temp_dir.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTest>

using namespace Qt::StringLiterals;
using brivo::practice::HistoryStore;

namespace {

brivo::practice::CopyCheck check(const char* sent, const char* copied)
{
    return *brivo::practice::checkCopy(sent, copied);
}

const QDateTime kMonday = QDateTime(QDate(2026, 11, 30), QTime(18, 0), Qt::UTC);

// Runs statements on the file through a connection of the test's own.
class RawFile {
public:
    explicit RawFile(const std::filesystem::path& file)
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, u"raw"_s);
        db.setDatabaseName(QString::fromStdString(file.string()));
        db.open();
    }
    ~RawFile()
    {
        QSqlDatabase::database(u"raw"_s).close();
        QSqlDatabase::removeDatabase(u"raw"_s);
    }
    RawFile(const RawFile&) = delete;
    RawFile& operator=(const RawFile&) = delete;

    QVariant value(const QString& statement)
    {
        QSqlQuery query(QSqlDatabase::database(u"raw"_s));
        return query.exec(statement) && query.next() ? query.value(0) : QVariant();
    }
    bool exec(const QString& statement) { return QSqlQuery(QSqlDatabase::database(u"raw"_s)).exec(statement); }
};

} // namespace

class HistoryStoreTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void createdFromNothingOrFromAnEmptyFile_data()
    {
        QTest::addColumn<bool>("emptyFileFirst");
        QTest::newRow("no file, no folder") << false;
        QTest::newRow("an empty file") << true;
    }

    void createdFromNothingOrFromAnEmptyFile()
    {
        QFETCH(bool, emptyFileFirst);
        brivo::test::TempDir dir;
        const auto file = dir / "data/ZORVANE/BRIVO/historique.sqlite";
        if (emptyFileFirst) {
            std::filesystem::create_directories(file.parent_path());
            brivo::test::writeBytes(file, "");
        }
        HistoryStore store(file);
        QCOMPARE(store.checks()->size(), 0U);
        QVERIFY(store.record(check("CQ \"CQ\"", "CQ \"CO\""), {12.5, 1, 10, "snr=5 qrm=3", 8.0}, kMonday));
        QVERIFY(store.record(check("EEE", "EE"), {15.0, 2, 0, {}, {}}, kMonday.addDays(1),
                             brivo::practice::CourseTag{U"EKM", 2}));
        const auto checks = store.checks();
        QVERIFY(checks);
        QCOMPARE(checks->size(), 2U);
        QCOMPARE((*checks)[0].checkedAt, kMonday);
        QCOMPARE((*checks)[0].score, 85.7); // 6 / 7, to a tenth
        QVERIFY((*checks)[0].underConditions && !(*checks)[1].underConditions);
        const auto course = store.course(U"EKM");
        QCOMPARE(course->checks.size(), 1U);
        QCOMPARE(course->checks[0].perCharacter.at(U'E').wrong, 1);
        QCOMPARE(store.course(U"KM")->checks.size(), 0U);
        // The order with prosigns added at its end is the same course;
        // another order with the same start is not.
        QCOMPARE(store.course(U"EKM+*")->checks.size(), 1U);
        QCOMPARE(store.course(U"EKMR")->checks.size(), 0U);
        const auto recent = store.counts(1);
        QCOMPARE(recent->size(), 1U); // only the last check: E
        QCOMPARE(recent->at(U'E').sent, 3);
        QCOMPARE(recent->at(U'E').wrong, 1);
        QCOMPARE(store.counts(0)->at(U'Q').wrong, 1);

        RawFile raw(file);
        QCOMPARE(raw.value(u"PRAGMA user_version"_s).toInt(), HistoryStore::kSchemaVersion);
        QCOMPARE(raw.value(u"SELECT checked_at FROM sessions WHERE id = 1"_s).toString(), u"2026-11-30T18:00:00Z"_s);
        QCOMPARE(raw.value(u"SELECT COUNT(*) FROM char_stats"_s).toInt(), 4);
        QVERIFY(store.exportCsv(dir / "historique.csv"));
        QCOMPARE(
            brivo::test::readBytes(dir / "historique.csv"),
            "id,checked_at,score,distance,wpm,spacing,noise,sent,copied,conditions,effective_wpm,course_order,"
            "course_lesson,course_material\r\n"
            "1,2026-11-30T18:00:00Z,85.7,1,12.5,1,10,\"CQ \"\"CQ\"\"\",\"CQ \"\"CO\"\"\",\"snr=5 qrm=3\",8.0,,,\r\n"
            "2,2026-12-01T18:00:00Z,66.7,1,15.0,2,0,\"EEE\",\"EE\",\"\",,\"EKM\",2,groups\r\n");
    }

    // A file of the first schema, with a check in it, is migrated by the
    // next check: the old row stays, the new one keeps its course and its
    // confusions.
    void firstSchemaIsMigratedWithoutLoss()
    {
        brivo::test::TempDir dir;
        const auto file = dir / "historique.sqlite";
        {
            RawFile raw(file);
            for (const QString& statement :
                 {u"CREATE TABLE sessions (id INTEGER PRIMARY KEY, checked_at TEXT NOT NULL, sent TEXT NOT NULL, "
                  "copied TEXT NOT NULL, score REAL NOT NULL, distance INTEGER NOT NULL, wpm REAL NOT NULL, spacing "
                  "INTEGER NOT NULL, noise INTEGER NOT NULL)"_s,
                  u"CREATE TABLE char_stats (session_id INTEGER NOT NULL REFERENCES sessions(id), character TEXT "
                  "NOT NULL, sent INTEGER NOT NULL, wrong INTEGER NOT NULL)"_s,
                  u"INSERT INTO sessions VALUES (1, '2026-11-01T10:00:00Z', 'K', 'K', 100, 0, 12, 1, 0)"_s,
                  u"PRAGMA user_version = 1"_s})
                QVERIFY(raw.exec(statement));
        }
        HistoryStore store(file);
        QCOMPARE(store.checks()->size(), 1U);
        QVERIFY(store.exportCsv(dir / "ancien.csv")); // the later columns empty
        QVERIFY(brivo::test::readBytes(dir / "ancien.csv")
                    .ends_with("\r\n1,2026-11-01T10:00:00Z,100.0,0,12.0,1,0,\"K\",\"K\",\"\",,,,\r\n"));
        QVERIFY(store.record(check("KM", "KK"), {}, kMonday, brivo::practice::CourseTag{U"KM", 2, "words"}));
        QCOMPARE(store.checks()->size(), 2U);
        QCOMPARE(RawFile(file).value(u"SELECT course_material FROM sessions WHERE id = 2"_s).toString(), u"words"_s);
        const auto course = store.course(U"KM");
        QCOMPARE(course->checks.size(), 1U);
        QCOMPARE(course->confusions.at({U'M', U'K'}), 1);
        // The sending exercises, kept beside the checks.
        const brivo::practice::SendingSession echo{
            brivo::practice::SendingSession::Kind::Echo, kMonday, 21, 50, {{U'K', {2, 1}}}};
        QVERIFY(store.recordSending(echo));
        const auto sending = store.sendingSessions();
        QCOMPARE(sending->size(), 1U);
        QCOMPARE(sending->front().kind, echo.kind);
        QCOMPARE(sending->front().sentAt, kMonday);
        QCOMPARE(sending->front().perCharacter.at(U'K').wrong, 1);
        QCOMPARE(store.checks()->size(), 2U);
    }

    // Another program holds the file for writing: the check waits, then is
    // refused with a message; what was stored stays, and the next check
    // goes in once the file is free.
    void lockedFileRefusesOneCheckAndLosesNone()
    {
        brivo::test::TempDir dir;
        HistoryStore store(dir / "historique.sqlite");
        QVERIFY(store.record(check("SOS", "SOS"), {}, kMonday));
        {
            RawFile other(store.file());
            QVERIFY(other.exec(u"BEGIN IMMEDIATE"_s));
            const auto refused = store.record(check("TEST", "TEST"), {}, kMonday.addSecs(60));
            QVERIFY(!refused);
            QVERIFY(QString::fromStdString(refused.error().message)
                        .endsWith(u"» : le fichier est verrouillé par un autre programme."_s));
            QVERIFY(other.exec(u"ROLLBACK"_s));
        }
        QVERIFY(store.record(check("K", "K"), {}, kMonday.addSecs(120)));
        QCOMPARE(store.checks()->size(), 2U);
    }

    void unusableFilesAreSaidAndLeftAsTheyWere_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("reason");
        QTest::newRow("folder is a file") << u"folder"_s << u"Un élément du chemin n'est pas un dossier"_s;
        QTest::newRow("a folder in its place") << u"directory"_s << u"le fichier ne peut pas être ouvert"_s;
        QTest::newRow("not a database") << u"garbage"_s << u"le fichier n'est pas une base SQLite valide"_s;
        QTest::newRow("newer schema") << u"newer"_s << u"version plus récente de BRIVO"_s;
        QTest::newRow("another program's sessions") << u"foreign"_s << u"n'est pas un historique de BRIVO"_s;
        // The statistics refused after the session went in: the transaction
        // leaves nothing of the check.
        QTest::newRow("statistics refused") << u"trigger"_s << u"statistiques refusées"_s;
    }

    void unusableFilesAreSaidAndLeftAsTheyWere()
    {
        QFETCH(QString, kind);
        QFETCH(QString, reason);
        brivo::test::TempDir dir;
        auto file = dir / "historique.sqlite";
        if (kind == u"folder"_s) {
            brivo::test::writeBytes(dir / "data", "a file");
            file = dir / "data/historique.sqlite";
        } else if (kind == u"directory"_s) {
            std::filesystem::create_directories(file);
        } else if (kind == u"garbage"_s) {
            brivo::test::writeBytes(file, std::string(4096, 'x'));
        } else if (kind == u"foreign"_s) {
            RawFile raw(file);
            QVERIFY(raw.exec(u"CREATE TABLE sessions (id INTEGER PRIMARY KEY, user TEXT)"_s));
        } else if (kind == u"trigger"_s) {
            QVERIFY(HistoryStore(file).record(check("K", "K"), {}, kMonday));
            RawFile raw(file);
            QVERIFY(raw.exec(u"CREATE TRIGGER refuse BEFORE INSERT ON char_stats BEGIN SELECT "
                             "RAISE(ABORT, 'statistiques refusées'); END"_s));
        } else {
            RawFile raw(file);
            QVERIFY(raw.exec(u"PRAGMA user_version = 7"_s));
        }
        const bool isFile = kind != u"folder"_s && kind != u"directory"_s;
        const std::string before = isFile ? brivo::test::readBytes(file) : std::string();
        HistoryStore store(file);
        const auto refused = store.record(check("E", "E"), {}, kMonday);
        QVERIFY(!refused);
        QVERIFY2(QString::fromStdString(refused.error().message).contains(reason), refused.error().message.c_str());
        if (isFile)
            QCOMPARE(brivo::test::readBytes(file), before);
        if (kind == u"trigger"_s)
            QCOMPARE(store.checks()->size(), 1U);
    }
};

QTEST_MAIN(HistoryStoreTest)
#include "history_store_test.moc"
