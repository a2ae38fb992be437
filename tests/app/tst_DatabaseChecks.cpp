#include "settings/ProfileFile.h"
#include "people/TestProgram.h"
#include "store/Backup.h"
#include "store/Backend.h"
#include "store/PoliciesColumns.h"
#include "store/Restore.h"
#include "app/DatabaseCheck.h"

#include <QFile>
#include <QGuiApplication>
#include <QSqlRecord>
#include <QtTest>

namespace {
using Shown = FakeMessageBoxService::Shown;

void writeFile(const QString& path, const QByteArray& content)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
        qFatal("cannot write %s", qPrintable(path));
}
QByteArray bytesOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
QString one(const QString& path, const QString& sql)
{
    store::Connection connection(path);
    QSqlQuery query = connection.run(sql);
    return query.next() ? query.value(0).toString() : QString("<none>");
}

// A database of the program's with this many contracts.
void makeDatabase(const QString& path, int contracts)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    store::createDatabase(path);
    store::Connection connection(path);
    connection.transaction([&] {
        for (int n = 0; n < contracts; ++n)
            connection.run("INSERT INTO Policies (DBA, Company, PolicyNo1) VALUES (?, ?, ?)",
                           {"Customer " + QString::number(n), QString(200, 'c'), "P-" + QString::number(n)});
    });
}

// A file that is no database of the program's, made at path; returns the message naming it.
QString makeUnusable(const QString& kind, const QString& path)
{
    const QString shown = QDir::toNativeSeparators(path);
    if (kind == "text") {
        writeFile(path, QByteArray(4096, 'x'));
        return shown + " is not a QUILLON database.\nError 26: file is not a database";
    }
    if (kind == "access") {
        QByteArray jet(4096, '\0');
        jet.replace(0, 19, QByteArray("\x00\x01\x00\x00Standard Jet DB", 19));
        writeFile(path, jet);
        return shown + " is an Access database; QUILLON keeps its data in its own database file.";
    }
    if (kind == "foreign") {
        writeFile(path, {});
        store::Connection(path).run("CREATE TABLE Invoices (Id INTEGER PRIMARY KEY, Total TEXT)");
        return shown + " is not a QUILLON database.";
    }
    if (kind == "empty") {
        writeFile(path, {});
        return shown + " is damaged and cannot be used.\nNo backup of it has been taken yet; backups are kept in " +
               QDir::toNativeSeparators(store::backupFolder(path)) + ".";
    }
    // The program's tables, with something in them the program did not make.
    const QHash<QString, QPair<QString, QString>> planted{
        {"trigger", {"CREATE TRIGGER PlantedFix AFTER INSERT ON Policies BEGIN "
                     "UPDATE Policies SET Financed = '1.00', APR = '0.00' WHERE ID = new.ID; END",
                     "Trigger PlantedFix on Policies was not made by QUILLON."}},
        {"view", {"CREATE VIEW Totals AS SELECT sum(Financed) FROM Policies", "View Totals was not made by QUILLON."}},
        {"text key", {"ID INTEGER PRIMARY KEY AUTOINCREMENT|ID TEXT PRIMARY KEY", "Policies.ID is not an integer key."}},
        {"number column", {"Financed TEXT|Financed NUMERIC", "Policies.Financed is of type NUMERIC, not TEXT."}},
        {"default", {"APR TEXT|APR TEXT DEFAULT '0.00'", "Policies.APR has a value of its own for rows that leave it empty."}},
    };
    if (planted.contains(kind)) {
        makeDatabase(path, 1);
        store::Connection connection(path);
        const QString change = planted[kind].first;
        if (change.startsWith("CREATE")) {
            connection.run(change);
        } else {
            const QStringList swap = change.split('|');
            connection.run("DROP TABLE Policies");
            connection.run(store::createTableStatement(store::Backend::File, "Policies", "ID", store::policiesColumns())
                               .replace(swap[0], swap[1]));
        }
        return shown + " is not a QUILLON database.\n" + planted[kind].second;
    }
    // Its first pages intact, its last thousand bytes cut off.
    makeDatabase(path, 400);
    writeFile(path, bytesOf(path).chopped(1000));
    const QString folder = QDir::toNativeSeparators(store::backupFolder(path));
    if (kind == "damaged, backed up") {
        writeFile(store::backupPath(path, QDate(2026, 12, 6)), {});
        return shown + " is damaged and cannot be used.\nThe latest backup is in " + folder + ".";
    }
    return shown + " is damaged and cannot be used.\nNo backup of it has been taken yet; backups are kept in " + folder + ".";
}

// The file as a stale journal can leave it: its last contract missing from the DBA index. The index is
// hidden from SQLite while the row goes in, then put back as it was.
void dropLastFromIndex(const QString& path)
{
    QString sql;
    int root = 0;
    {
        store::Connection connection(path);
        QSqlQuery index = connection.run("SELECT sql, rootpage FROM sqlite_master WHERE name = 'PoliciesByDBA'");
        index.next();
        sql = index.value(0).toString();
        root = index.value(1).toInt();
        connection.run("PRAGMA writable_schema = ON");
        connection.run("DELETE FROM sqlite_master WHERE name = 'PoliciesByDBA'");
    }
    store::Connection(path).run("INSERT INTO Policies (DBA) VALUES ('Customer 300')");
    store::Connection connection(path);
    connection.run("PRAGMA writable_schema = ON");
    connection.run("INSERT INTO sqlite_master (type, name, tbl_name, rootpage, sql) VALUES ('index', 'PoliciesByDBA', "
                   "'Policies', ?, ?)", {root, sql});
}

const QDateTime kDay1(QDate(2026, 12, 7), QTime(8, 30));
} // namespace

class DatabaseChecksTest : public QObject {
    Q_OBJECT
private slots:
    void unusableKinds_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("text file") << "text";
        QTest::newRow("Access file") << "access";
        QTest::newRow("another program's database") << "foreign";
        QTest::newRow("zero-byte file") << "empty";
        QTest::newRow("trigger the program did not make") << "trigger";
        QTest::newRow("view the program did not make") << "view";
        QTest::newRow("contract key of text") << "text key";
        QTest::newRow("amount column of numbers") << "number column";
        QTest::newRow("column with a default") << "default";
        QTest::newRow("damaged file") << "damaged";
        QTest::newRow("damaged file with backups") << "damaged, backed up";
    }

    // A picked file that cannot serve is named in a message, left untouched and not written into
    // the settings; the dialog asks again and the next good pick is the one kept.
    void unusablePickIsRefusedAndAskedAgain_data() { unusableKinds_data(); }
    void unusablePickIsRefusedAndAskedAgain()
    {
        QFETCH(QString, kind);
        TestProgram program;
        const QString ini = program.env.programFolder + "/tly2.ini";
        const QString bad = program.dir.filePath("picked/project.mdb"), good = program.dir.filePath("good/loans.mdb");
        writeFile(ini, "[file]\ndbdir=/nowhere/\n");
        const QString message = makeUnusable(kind, bad);
        const QByteArray badBytes = bytesOf(bad);
        makeDatabase(good, 1);
        program.files.answers = {bad, good};

        QVERIFY(program.start());
        QCOMPARE(program.files.asked.size(), 2);
        QCOMPARE(program.messages.shown, (QList<Shown>{{message, ui::MessageIcon::Critical, "QUILLON"}}));
        QCOMPARE(bytesOf(bad), badBytes);
        QCOMPARE(program.session().DBPath, good);
        QCOMPARE(profile::readString(ini, "file", "dbname", ""), QString("loans.mdb"));
    }

    // A wrong pick followed by Cancel leaves the settings as they were, so the next start asks again.
    void refusedPickThenCancelWritesNothing()
    {
        TestProgram program;
        const QString ini = program.env.programFolder + "/tly2.ini";
        writeFile(ini, "[file]\ndbdir=/nowhere/\n");
        const QByteArray settings = bytesOf(ini);
        makeUnusable("text", program.dir.filePath("picked/project.mdb"));
        program.files.answers = {program.dir.filePath("picked/project.mdb")};
        QVERIFY(!program.start());
        QCOMPARE(program.messages.shown.size(), 2);
        QCOMPARE(program.messages.last().text, QString("No database found.\nProgram cannot continue."));
        QCOMPARE(bytesOf(ini), settings);
    }

    // The configured file cannot serve: the run ends with the message, nothing written, no backup taken.
    void unusableConfiguredFileEndsTheRun_data() { unusableKinds_data(); }
    void unusableConfiguredFileEndsTheRun()
    {
        QFETCH(QString, kind);
        TestProgram program;
        const QString path = program.defaultDbPath();
        const QString message = makeUnusable(kind, path);
        const QByteArray bytes = bytesOf(path);
        QVERIFY(!program.start());
        QVERIFY(program.session().ended);
        QCOMPARE(program.messages.shown, (QList<Shown>{{message, ui::MessageIcon::Critical, "QUILLON"}}));
        QCOMPARE(bytesOf(path), bytes);
        QCOMPARE(store::existingBackups(path).size(), kind == "damaged, backed up" ? 1 : 0);
    }

    // An older file lacking columns gets them (NULL), keeps every stored value, and its version is raised.
    void missingColumnsAreAdded()
    {
        TestProgram program;
        const QString path = program.defaultDbPath();
        writeFile(path, {});
        {
            store::Connection connection(path);
            connection.run("CREATE TABLE Agent (RowKey INTEGER PRIMARY KEY AUTOINCREMENT, Name TEXT, Company TEXT)");
            connection.run("CREATE TABLE Customer (RowKey INTEGER PRIMARY KEY AUTOINCREMENT, Name TEXT, DBA TEXT)");
            connection.run("CREATE TABLE Policies (ID INTEGER PRIMARY KEY AUTOINCREMENT, DBA TEXT, company TEXT)");
            // Tables and indexes of the program's own beside its three are no reason to refuse the file.
            connection.run("CREATE TABLE WriteTokens (Token TEXT PRIMARY KEY)");
            connection.run("CREATE INDEX PoliciesByCompany ON Policies (company)");
            connection.run("INSERT INTO Agent (Name, Company) VALUES ('Jo', 'Acme')");
            connection.run("INSERT INTO Customer (Name, DBA) VALUES ('Ann', 'Ann''s')");
            connection.run("INSERT INTO Policies (DBA, company) VALUES ('Ann''s', 'Co')");
        }
        QVERIFY(program.start());
        QVERIFY(program.messages.shown.isEmpty());
        QCOMPARE(one(path, "PRAGMA user_version"), QString("1"));
        store::Connection connection(path);
        QCOMPARE(connection.database().record("Policies").count(), 103);
        QCOMPARE(connection.database().record("Agent").count(), 10);
        QCOMPARE(one(path, "SELECT DBA || '|' || company || '|' || ifnull(PolicyNo1, 'null') FROM Policies"), QString("Ann's|Co|null"));
        QCOMPARE(linesOf(program.agents()), QStringList{"Acme - Jo"});
        QCOMPARE(one(path, "SELECT count(*) FROM sqlite_master WHERE name = 'PoliciesByDBA'"), QString("1"));
        // The copy taken that morning is the file as it was before the columns came.
        QCOMPARE(store::Connection(store::existingBackups(path).value(0)).database().record("Policies").count(), 3);
    }

    // The first start of a day copies the file; later starts that day leave the copy as it is.
    void oneWholeCopyADay()
    {
        TestProgram program;
        const QString path = program.defaultDbPath();
        makeDatabase(path, 50);
        QDateTime clock = kDay1;
        program.now = [&] { return clock; };
        QVERIFY(program.start());
        const QString first = store::backupPath(path, kDay1.date());
        QCOMPARE(store::existingBackups(path), QStringList{first});
        QCOMPARE(QFileInfo(first).fileName(), QString("project-2026-12-07.mdb"));
        QCOMPARE(QFileInfo(first).dir().dirName(), QString("backups"));
        QCOMPARE(one(first, "PRAGMA integrity_check"), QString("ok"));
        QCOMPARE(one(first, "SELECT count(*) || ' ' || max(PolicyNo1) FROM Policies"), QString("50 P-9"));

        store::Connection(path).run("DELETE FROM Policies");
        clock = kDay1.addSecs(3600);
        QVERIFY(program.start());
        QCOMPARE(one(first, "SELECT count(*) FROM Policies"), QString("50"));
        clock = kDay1.addDays(1);
        QVERIFY(program.start());
        QCOMPARE(store::existingBackups(path).size(), 2);
        QCOMPARE(one(store::backupPath(path, clock.date()), "SELECT count(*) FROM Policies"), QString("0"));
        QVERIFY(program.messages.shown.isEmpty());
    }

    // The newest 30 copies by the time they were made stay, and the one just made always does, also
    // when the clock was put back; other files in the folder are never touched.
    void newestThirtyCopiesAreKept_data()
    {
        QTest::addColumn<QDateTime>("clock");
        QTest::addColumn<int>("yearsAhead");  // of the earlier copies' times, against the machine's clock
        QTest::addColumn<QString>("made");
        QTest::newRow("clock right") << kDay1 << -1 << "project-2026-12-07.mdb";
        QTest::newRow("clock reset to 2001") << QDateTime(QDate(2001, 1, 1), QTime(9, 0)) << 1 << "project-2001-01-01.mdb";
    }
    void newestThirtyCopiesAreKept()
    {
        QFETCH(QDateTime, clock);
        QFETCH(int, yearsAhead);
        QFETCH(QString, made);
        TestProgram program;
        const QString path = program.defaultDbPath();
        makeDatabase(path, 1);
        const QString folder = store::backupFolder(path);
        for (int day = 1; day <= 31; ++day) {
            const QDate date = QDate(2026, 10, 1).addDays(day);
            writeFile(store::backupPath(path, date), "old");
            QFile copy(store::backupPath(path, date));
            copy.open(QIODevice::ReadWrite);
            copy.setFileTime(QDateTime(date, QTime(12, 0)).addYears(yearsAhead), QFileDevice::FileModificationTime);
        }
        for (const char* other : {"notes.txt", "project-old.mdb", "loans-2020-01-01.mdb"})
            writeFile(folder + "/" + other, "keep");
        program.now = [&] { return clock; };
        QVERIFY(program.start());
        const QStringList kept = store::existingBackups(path);
        QCOMPARE(kept.size(), 30);
        QVERIFY(kept.contains(folder + "/" + made));
        for (const char* gone : {"project-2026-10-02.mdb", "project-2026-10-03.mdb"})
            QVERIFY(!QFile::exists(folder + "/" + gone));
        for (const char* other : {"notes.txt", "project-old.mdb", "loans-2020-01-01.mdb"})
            QVERIFY(QFile::exists(folder + "/" + other));
        // A later start that day takes nothing and removes nothing.
        QVERIFY(program.start());
        QCOMPARE(store::existingBackups(path), kept);
    }

    // A copy that fails its check does not count: it is kept under a marked name, nothing is removed,
    // and the next start of the day does not make (and say) another.
    void damagedCopyIsKeptMarkedOnce()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("project.mdb");
        makeDatabase(path, 300);
        dropLastFromIndex(path);
        const store::DailyBackup first = store::takeDailyBackup(path, kDay1.date());
        QCOMPARE(first.outcome, store::DailyBackup::Outcome::Damaged);
        QCOMPARE(QFileInfo(first.damagedCopy).fileName(), QString("project-2026-12-07-damaged.mdb"));
        QVERIFY(QFile::exists(first.damagedCopy));
        QCOMPARE(first.problems.value(0), QString("row 301 missing from index PoliciesByDBA"));
        QVERIFY(store::existingBackups(path).isEmpty());
        QCOMPARE(store::takeDailyBackup(path, kDay1.date()).outcome, store::DailyBackup::Outcome::AlreadyTaken);
    }

    // Indexes that disagree with their tables pass the quick check but hide a contract from its customer;
    // the start rebuilds them without a word and without changing a row.
    void disagreeingIndexesAreRebuilt()
    {
        TestProgram program;
        const QString path = program.defaultDbPath();
        makeDatabase(path, 300);
        dropLastFromIndex(path);
        const QString byDba = "SELECT count(*) FROM Policies INDEXED BY PoliciesByDBA WHERE DBA = 'Customer 300'";
        QCOMPARE(one(path, byDba), QString("0"));
        QVERIFY(program.start());
        QVERIFY(program.messages.shown.isEmpty());
        QCOMPARE(one(path, "PRAGMA integrity_check"), QString("ok"));
        QCOMPARE(one(path, byDba), QString("1"));
        QCOMPARE(one(path, "SELECT count(*) FROM Policies"), QString("301"));
    }

    // A damaged file with backups: the message asks whether the newest copy that passes its check takes
    // the file's place. Yes sets the file aside under a dated name and starts on the copy; No ends the
    // run with the file untouched.
    void damagedFileOffersTheLatestGoodBackup_data()
    {
        QTest::addColumn<bool>("yes");
        QTest::newRow("restored") << true;
        QTest::newRow("declined") << false;
    }
    void damagedFileOffersTheLatestGoodBackup()
    {
        QFETCH(bool, yes);
        TestProgram program;
        program.now = [] { return kDay1; };
        const QString path = program.defaultDbPath();
        const QString message = makeUnusable("damaged, backed up", path);
        const QByteArray damaged = bytesOf(path);
        const QString good = store::backupPath(path, QDate(2026, 12, 5)), newer = store::backupPath(path, QDate(2026, 12, 6));
        QFile::remove(newer);
        makeDatabase(good, 7);
        makeUnusable("damaged", newer);
        QFile copy(newer);
        copy.open(QIODevice::ReadWrite);
        copy.setFileTime(QFileInfo(good).lastModified().addSecs(60), QFileDevice::FileModificationTime);
        copy.close();
        program.messages.answers = {yes};

        QCOMPARE(program.start(), yes);
        QCOMPARE(program.messages.shown,
                 (QList<Shown>{{message + "\n\nPut the latest good backup, project-2026-12-05.mdb, in its place? "
                                          "The damaged file is kept beside it as project-damaged-2026-12-07-083000.mdb.",
                                ui::MessageIcon::Critical, "QUILLON", ui::MessageButtons::YesNo}}));
        const QString aside = program.dir.filePath("data/project-damaged-2026-12-07-083000.mdb");
        QCOMPARE(bytesOf(yes ? aside : path), damaged);
        QCOMPARE(QFile::exists(aside), yes);
        if (yes)
            QCOMPARE(one(path, "SELECT count(*) FROM Policies"), QString("7"));
    }

    // Put back after a crash in the middle of a large change: the copy takes the file's place whole, and
    // the original, set aside with its journal, still rolls back to every one of its rows.
    void restoreKeepsTheOriginalWithItsJournal()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("live/project.mdb"), crashed = dir.filePath("crashed/project.mdb");
        const QString backup = dir.filePath("backup.mdb");
        makeDatabase(path, 600);
        makeDatabase(backup, 5);
        QDir().mkpath(QFileInfo(crashed).absolutePath());
        {
            store::Connection connection(path);
            connection.run("PRAGMA cache_size = 2");
            // The change spills into the file before it commits; the copies are the file and its journal
            // as a crash at that moment leaves them.
            connection.transaction([&] {
                connection.run("UPDATE Policies SET Company = ?", {QString(300, 'z')});
                QVERIFY(QFile::copy(path, crashed) && QFile::copy(path + "-journal", crashed + "-journal"));
            });
        }
        QVERIFY(QFileInfo(crashed + "-journal").size() > 0);
        store::restoreBackup(crashed, backup, kDay1);
        QCOMPARE(one(crashed, "PRAGMA integrity_check"), QString("ok"));
        QCOMPARE(one(crashed, "SELECT count(*) FROM Policies"), QString("5"));
        const QString aside = store::setAsidePath(crashed, kDay1);
        QVERIFY(QFile::exists(aside + "-journal"));
        QCOMPARE(one(aside, "PRAGMA integrity_check"), QString("ok"));
        QCOMPARE(one(aside, "SELECT count(*) FROM Policies WHERE length(Company) = 200"), QString("600"));
    }

    // Delete pressed while the check still runs waits, under the busy cursor, for its verdict: on a
    // whole file it is then done; on a damaged one the start-up's message is shown and nothing is written.
    void writeWaitsForTheCheck_data()
    {
        QTest::addColumn<bool>("damaged");
        QTest::newRow("whole file") << false;
        QTest::newRow("damaged file") << true;
    }
    void writeWaitsForTheCheck()
    {
        QFETCH(bool, damaged);
        TestProgram program;
        const QString path = program.defaultDbPath();
        makeDatabase(path, 400);
        insertRows(path, "Agent", {"Company", "Name"}, {{"Acme", "Jo"}});
        if (damaged)
            writeFile(path, bytesOf(path).chopped(1000));
        const QByteArray bytes = bytesOf(path);
        QSemaphore latch;
        program.app = std::make_unique<Application>(program.env, Services{&program.messages, &program.files, nullptr});
        program.app->setLaterCheck([&](const QString& file, const QDate& today) {
            latch.acquire();
            return checkFileLater(file, today);
        });
        QVERIFY(program.app->start());
        bool waitedUntouched = false;
        QTimer::singleShot(100, [&] {
            waitedUntouched = bytesOf(path) == bytes && QGuiApplication::overrideCursor() &&
                              QGuiApplication::overrideCursor()->shape() == Qt::WaitCursor;
            latch.release();
        });
        program.click(program.main(), "cmdDeleteAgent");
        QVERIFY(waitedUntouched);
        QVERIFY(!QGuiApplication::overrideCursor());
        QCOMPARE(program.session().ended, damaged);
        if (damaged) {
            QCOMPARE(program.messages.shown,
                     (QList<Shown>{{QDir::toNativeSeparators(path) + " is damaged and cannot be used.\nNo backup of it has "
                                    "been taken yet; backups are kept in " + QDir::toNativeSeparators(store::backupFolder(path)) + ".",
                                    ui::MessageIcon::Critical, "QUILLON"}}));
            QCOMPARE(bytesOf(path), bytes);
        } else {
            QVERIFY(program.messages.shown.isEmpty());
            QCOMPARE(columnOf(path, "Agent", "Name"), QStringList{});
        }
    }

    // A copy that cannot be written is said once; the program starts all the same.
    void failedBackupIsReportedAndTheRunGoesOn()
    {
        TestProgram program;
        const QString path = program.defaultDbPath();
        makeDatabase(path, 1);
        writeFile(store::backupFolder(path), "a file where the folder belongs");
        QVERIFY(program.start());
        QVERIFY(program.main()->isVisible());
        QCOMPARE(program.messages.shown.size(), 1);
        QCOMPARE(program.messages.last().icon, ui::MessageIcon::Warning);
        QVERIFY(program.messages.last().text.startsWith("The daily backup of " + QDir::toNativeSeparators(path) +
                                                        " could not be written to "));
        QVERIFY(!QFile::exists(store::backupPath(path, program.session().now().date()) + ".part"));
    }
};

QTEST_MAIN(DatabaseChecksTest)
#include "tst_DatabaseChecks.moc"
