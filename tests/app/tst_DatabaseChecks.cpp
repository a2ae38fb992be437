#include "app/DatabaseCheck.h"
#include "model/store/Backend.h"
#include "model/store/Backup.h"
#include "model/store/CleanEnd.h"
#include "model/store/PoliciesColumns.h"
#include "model/store/Restore.h"
#include "model/store/Schema.h"
#include "support/FileBytes.h"
#include "support/TestProgram.h"

#include <QFile>
#include <QGuiApplication>
#include <QtTest>

#include <latch>
#include <semaphore>
#include <thread>

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

// The start-up's check of the database file, the daily copies and putting one back.
namespace {
using Shown = FakeMessageBoxService::Shown;
using Make = std::function<void(const QString& path)>;

using testdb::firstValue;
int modeOf(const QString& path)
{
    struct stat info {};
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? int(info.st_mode & 07777) : -1;
}
void setWritten(const QString& path, const QDateTime& at)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite) || !file.setFileTime(at, QFileDevice::FileModificationTime))
        qFatal("cannot date %s", qPrintable(path));
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
// Its first pages intact, its last thousand bytes cut off.
void truncated(const QString& path)
{
    makeDatabase(path, 400);
    writeFile(path, bytesOf(path).chopped(1000));
}
// The root page of its contracts overwritten: the tables read at a glance, the contracts do not.
void damagePolicies(const QString& path)
{
    const qint64 root = firstValue(path, "SELECT rootpage FROM sqlite_master WHERE name = 'Policies'").toLongLong();
    const qint64 pageSize = firstValue(path, "PRAGMA page_size").toLongLong();
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite) || !file.seek((root - 1) * pageSize) || file.write(QByteArray(64, '\xff')) != 64)
        qFatal("cannot damage %s", qPrintable(path));
}
// Folders locked against every writer, root too, until the test function ends.
QStringList lockedFolders;
void setLocked(const QString& folder, bool locked)
{
    const QByteArray name = QFile::encodeName(folder);
    ::chmod(name.constData(), locked ? 0500 : 0700);
    const int fd = ::open(name.constData(), O_RDONLY | O_DIRECTORY);
    int flags = 0;
    if (fd >= 0 && ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0) {
        flags = locked ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
        ::ioctl(fd, FS_IOC_SETFLAGS, &flags);
    }
    if (fd >= 0)
        ::close(fd);
}
// At path, the file of 600 contracts and its journal as a crash in the middle of a large change leaves
// them: the change spills into the file before it commits.
void crashed(const QString& path)
{
    const QString live = QFileInfo(path).absolutePath() + "-live/project.mdb";
    makeDatabase(live, 600);
    store::Connection connection(live);
    connection.run("PRAGMA cache_size = 2");
    connection.transaction([&] {
        connection.run("UPDATE Policies SET Company = ?", {QString(300, 'z')});
        QDir().mkpath(QFileInfo(path).absolutePath());
        if (!QFile::copy(live, path) || !QFile::copy(live + "-journal", path + "-journal"))
            qFatal("cannot copy the crashed file");
    });
}
// The same in a folder that cannot be written.
void crashedInLockedFolder(const QString& path)
{
    crashed(path);
    lockedFolders << QFileInfo(path).absolutePath();
    setLocked(lockedFolders.last(), true);
}
Make bytes(const QByteArray& content) { return [content](const QString& path) { writeFile(path, content); }; }
// The program's tables with something in them the program did not make.
Make planted(const QString& sql)
{
    return [sql](const QString& path) { makeDatabase(path, 1); store::Connection(path).run(sql); };
}
Make policiesWith(const QString& from, const QString& to)
{
    return [=](const QString& path) {
        makeDatabase(path, 1);
        store::Connection connection(path);
        connection.run("DROP TABLE Policies");
        connection.run(store::createTableStatement(store::Backend::File, "Policies", "ID", store::policiesColumns())
                           .replace(from, to));
    };
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
const QString kNotOurs = "%1 is not a QUILLON database.";
const QString kDamaged = "%1 is damaged and cannot be used.\n";
const QString kNoBackup = kDamaged + "No backup of it has been taken yet; backups are kept in %2.";

// Starts the program with its later check held until latch is released.
bool startWithCheckHeld(TestProgram& program, QSemaphore& latch)
{
    program.app = std::make_unique<Application>(program.env, Services{&program.messages, &program.files, nullptr});
    program.app->setLaterCheck([&latch](const LaterCheckRequest& request) {
        latch.acquire();
        return checkFileLater(request);
    });
    return program.app->start();
}

} // namespace

class DatabaseChecksTest : public QObject {
    Q_OBJECT
private slots:
    // Whatever the umask, the database and its copies are for their owner's eyes alone.
    void initTestCase() { ::umask(022); }
    void cleanup()
    {
        // The test's temporary folder, gone by now, could not take a locked folder with it.
        for (const QString& folder : lockedFolders) {
            setLocked(folder, false);
            QDir(folder).removeRecursively();
            QDir().rmdir(QFileInfo(folder).absolutePath());
        }
        lockedFolders.clear();
    }

    // A file that cannot serve is named with why, and left as it was.
    void unusableFileIsNamedAndLeftAlone_data()
    {
        QTest::addColumn<Make>("make");
        QTest::addColumn<QString>("said"); // %1 the file, %2 its backup folder
        QByteArray jet(4096, '\0');
        jet.replace(0, 19, QByteArray("\x00\x01\x00\x00Standard Jet DB", 19));
        QTest::newRow("text file") << bytes(QByteArray(4096, 'x')) << kNotOurs + "\nError 26: file is not a database";
        QTest::newRow("Access file") << bytes(jet)
                                     << "%1 is an Access database; QUILLON keeps its data in its own database file.";
        QTest::newRow("another program's database")
            << Make([](const QString& path) {
                   writeFile(path, {});
                   store::Connection(path).run("CREATE TABLE Invoices (Id INTEGER PRIMARY KEY, Total TEXT)");
               })
            << kNotOurs;
        QTest::newRow("zero-byte file") << bytes({}) << kNoBackup;
        QTest::newRow("trigger the program did not make")
            << planted("CREATE TRIGGER PlantedFix AFTER INSERT ON Policies BEGIN "
                       "UPDATE Policies SET Financed = '1.00', APR = '0.00' WHERE ID = new.ID; END")
            << kNotOurs + "\nTrigger PlantedFix on Policies was not made by QUILLON.";
        QTest::newRow("contract key of text") << policiesWith("ID INTEGER PRIMARY KEY AUTOINCREMENT", "ID TEXT PRIMARY KEY")
                                              << kNotOurs + "\nPolicies.ID is not an integer key.";
        QTest::newRow("contracts without their key") << policiesWith("ID INTEGER", "Number INTEGER") << kNotOurs;
        QTest::newRow("amount column of numbers") << policiesWith("Financed TEXT", "Financed NUMERIC")
                                                  << kNotOurs + "\nPolicies.Financed is of type NUMERIC, not TEXT.";
        QTest::newRow("column with a default")
            << policiesWith("APR TEXT", "APR TEXT DEFAULT '0.00'")
            << kNotOurs + "\nPolicies.APR has a value of its own for rows that leave it empty.";
        QTest::newRow("damaged file") << Make(truncated) << kNoBackup;
        QTest::newRow("crash journal in a folder that cannot be written") << Make(crashedInLockedFolder)
            << "%1 was left half written when a program stopped, and its crash journal %1-journal cannot be rolled "
               "back into it because the folder %3 cannot be written. The folder must be writable for the file to "
               "be recovered; make it writable and start QUILLON again.\nError 2570: disk I/O error";
        QTest::newRow("damaged file with backups") << Make([](const QString& path) {
            truncated(path);
            writeFile(store::backupPath(path, QDate(2026, 12, 6)), {});
        }) << kDamaged + "The latest backup is in %2.";
    }
    void unusableFileIsNamedAndLeftAlone()
    {
        QFETCH(Make, make);
        QFETCH(QString, said);
        QTemporaryDir dir;
        const QString path = dir.filePath("data/project.mdb");
        make(path);
        const QByteArray before = bytesOf(path);
        const DatabaseVerdict verdict = checkDatabase(path);
        QCOMPARE(verdict.message, QString(said).replace("%1", QDir::toNativeSeparators(path))
                                      .replace("%2", QDir::toNativeSeparators(store::backupFolder(path)))
                                      .replace("%3", QDir::toNativeSeparators(QFileInfo(path).absolutePath())));
        QCOMPARE(verdict.kind == DatabaseVerdict::Kind::Damaged, said.startsWith(kDamaged));
        // SQLite's own rollback of a crash journal writes the file; the journal stays for the next try.
        if (QFile::exists(path + "-journal"))
            return;
        QCOMPARE(bytesOf(path), before);
    }

    // Indexes that disagree with their tables pass the quick check but hide a contract from its
    // customer. A copy of such a file fails its check: it is kept under a marked name, does not count,
    // and is not taken again that day. The file's own check rebuilds the indexes, no row changed.
    void disagreeingIndexes()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("project.mdb");
        makeDatabase(path, 300);
        dropLastFromIndex(path);
        const store::DailyBackup copy = store::takeDailyBackup(path, kDay1.date());
        QCOMPARE(copy.outcome, store::DailyBackup::Outcome::Damaged);
        QCOMPARE(QFileInfo(copy.damagedCopy).fileName(), QString("project-2026-12-07-damaged.mdb"));
        QVERIFY(QFile::exists(copy.damagedCopy));
        QCOMPARE(copy.problems.value(0), QString("row 301 missing from index PoliciesByDBA"));
        QVERIFY(store::existingBackups(path).isEmpty());
        QCOMPARE(store::takeDailyBackup(path, kDay1.date()).outcome, store::DailyBackup::Outcome::AlreadyTaken);

        const QString byDba = "SELECT count(*) FROM Policies INDEXED BY PoliciesByDBA WHERE DBA = 'Customer 300'";
        QCOMPARE(firstValue(path, byDba), QString("0"));
        const DatabaseVerdict verdict = checkDatabase(path);
        QCOMPARE(verdict.message, QString());
        QVERIFY(verdict.indexesRebuilt);
        QCOMPARE(firstValue(path, byDba), QString("1"));
        QCOMPARE(firstValue(path, "SELECT count(*) FROM Policies"), QString("301"));
    }

    // An older file lacking columns gets them (NULL) and keeps every stored value; the copy taken
    // that morning is the file as it was before they came.
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
            connection.run("INSERT INTO Policies (DBA, company) VALUES ('Ann''s', 'Co')");
        }
        QVERIFY(program.start());
        QVERIFY(program.messages.shown.isEmpty());
        QCOMPARE(firstValue(path, "PRAGMA user_version"), QString("1"));
        QCOMPARE(store::Connection(path).database().record("Policies").count(), 103);
        QCOMPARE(firstValue(path, "SELECT DBA || '|' || company || '|' || ifnull(PolicyNo1, 'null') FROM Policies"), QString("Ann's|Co|null"));
        QCOMPARE(firstValue(path, "SELECT count(*) FROM sqlite_master WHERE name = 'PoliciesByDBA'"), QString("1"));
        QCOMPARE(store::Connection(store::existingBackups(path).value(0)).database().record("Policies").count(), 3);
        QCOMPARE(modeOf(store::backupFolder(path)), 0700);
    }

    // The first copy of a day is the whole file, named by the day; later starts that day leave it as it
    // is. The newest 30 copies by the time they were made stay, and the one just made always does, also
    // when the clock was put back; other files in the folder are never touched.
    void newestThirtyCopiesAreKept_data()
    {
        QTest::addColumn<QDate>("today");
        QTest::addColumn<int>("yearsAhead"); // of the earlier copies' times, against the machine's clock
        QTest::addColumn<bool>("againstNames"); // the copies were written in the reverse order of their names
        QTest::addColumn<QStringList>("gone");
        const QStringList oldestNames{"project-2026-10-02.mdb", "project-2026-10-03.mdb"};
        QTest::newRow("clock right") << kDay1.date() << 0 << false << oldestNames;
        QTest::newRow("clock reset to 2001") << QDate(2001, 1, 1) << 1 << false << oldestNames;
        QTest::newRow("copies written against their names' order")
            << kDay1.date() << 0 << true << QStringList{"project-2026-11-01.mdb", "project-2026-10-31.mdb"};
    }
    void newestThirtyCopiesAreKept()
    {
        QFETCH(QDate, today);
        QFETCH(int, yearsAhead);
        QFETCH(bool, againstNames);
        QFETCH(QStringList, gone);
        QTemporaryDir dir;
        const QString path = dir.filePath("project.mdb"), folder = store::backupFolder(path);
        makeDatabase(path, 50);
        for (int day = 1; day <= 31; ++day) {
            const QDate named = QDate(2026, 10, 1).addDays(day);
            writeFile(store::backupPath(path, named), "old");
            const QDate written = againstNames ? QDate(2026, 11, 2).addDays(-day) : named.addYears(yearsAhead);
            setWritten(store::backupPath(path, named), QDateTime(written, QTime(12, 0)));
        }
        const QStringList others{"notes.txt", "project-old.mdb", "loans-2020-01-01.mdb"};
        for (const QString& other : others)
            writeFile(folder + "/" + other, "keep");
        QCOMPARE(store::takeDailyBackup(path, today).outcome, store::DailyBackup::Outcome::Taken);
        const QString copy = store::backupPath(path, today);
        store::Connection(path).run("DELETE FROM Policies");
        QCOMPARE(store::takeDailyBackup(path, today).outcome, store::DailyBackup::Outcome::AlreadyTaken);
        QCOMPARE(QDir(dir.path()).relativeFilePath(copy), "backups/project-" + today.toString(Qt::ISODate) + ".mdb");
        QCOMPARE(firstValue(copy, "SELECT count(*) || ' ' || max(PolicyNo1) FROM Policies"), QString("50 P-9"));
        QCOMPARE((QList<int>{modeOf(path), modeOf(copy)}), (QList<int>{0600, 0600}));
        const QStringList kept = store::existingBackups(path);
        QCOMPARE(kept.size(), 30);
        QVERIFY(kept.contains(copy));
        for (const QString& name : gone)
            QVERIFY2(!QFile::exists(folder + "/" + name), qPrintable(name));
        for (const QString& other : others)
            QVERIFY(QFile::exists(folder + "/" + other));
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
        truncated(path);
        const QByteArray damaged = bytesOf(path);
        const QString good = store::backupPath(path, QDate(2026, 12, 5)), newer = store::backupPath(path, QDate(2026, 12, 6));
        makeDatabase(good, 7);
        truncated(newer);
        setWritten(newer, QFileInfo(good).lastModified().addSecs(60));
        program.messages.replies = {yes ? ui::Reply::Yes : ui::Reply::No};

        QCOMPARE(program.start(), yes);
        const QString said = (kDamaged + "The latest backup is in %2.\n\nPut the latest good backup, "
                              "project-2026-12-05.mdb, taken on 12/5/2026 and holding 7 contracts, in its place? The "
                              "damaged file is kept beside it as project-damaged-2026-12-07-083000.mdb.\nOther Backup... "
                              "lets you choose another copy from %2 instead.")
                                 .arg(path, store::backupFolder(path));
        QCOMPARE(program.messages.shown,
                 (QList<Shown>{{said, ui::MessageIcon::Critical, "QUILLON", ui::MessageButtons::YesNoOther}}));
        QCOMPARE(program.messages.others, QStringList{"Other Backup..."});
        const QString aside = program.dir.filePath("data/project-damaged-2026-12-07-083000.mdb");
        QCOMPARE(bytesOf(yes ? aside : path), damaged);
        QCOMPARE(QFile::exists(aside), yes);
        if (yes)
            QCOMPARE(firstValue(path, "SELECT count(*) FROM Policies"), QString("7"));
    }

    // Which copy the restore offers never hangs on the clock: the good copy with the most work in it,
    // named with its day and its contracts; none that holds the latest work is removed to make room. The
    // user may pick another copy from the backups folder instead; a pick that cannot serve asks again.
    // Each start but the last is followed by one contract saved; the file is damaged before the last.
    void restoreOffersTheCopyWithTheMostWork_data()
    {
        QTest::addColumn<QList<QDate>>("starts");
        QTest::addColumn<QList<ui::Reply>>("replies");
        QTest::addColumn<QStringList>("picked"); // in the backups folder, in turn
        QTest::addColumn<QString>("offered");
        QTest::addColumn<int>("restored"); // contracts in the file afterwards
        QTest::addColumn<int>("nextId");   // above every ID a copy handed out
        const QDate dec6(2026, 12, 6), dec7(2026, 12, 7);
        QTest::newRow("clock gone back to 2001")
            << QList<QDate>{{2001, 1, 1}, {2001, 1, 2}, {2001, 1, 3}, {2001, 1, 4}} << QList<ui::Reply>{ui::Reply::Yes}
            << QStringList() << "project-2001-01-03.mdb, taken on 1/3/2001 and holding 3 contracts" << 3 << 4;
        QTest::newRow("damaged between two starts of one day")
            << QList<QDate>{dec6, dec7, dec7} << QList<ui::Reply>{ui::Reply::Yes} << QStringList()
            << "project-2026-12-07.mdb, taken on 12/7/2026 and holding 2 contracts" << 2 << 3;
        QTest::newRow("another copy picked after one that cannot serve")
            << QList<QDate>{dec6, dec7} << QList<ui::Reply>{ui::Reply::Other, ui::Reply::Other}
            << QStringList{"../project.mdb", "project-2026-11-20.mdb"}
            << "project-2026-12-06.mdb, taken on 12/6/2026 and holding 1 contract" << 0 << 2;
    }
    void restoreOffersTheCopyWithTheMostWork()
    {
        QFETCH(QList<QDate>, starts);
        QFETCH(QStringList, picked);
        QFETCH(QString, offered);
        TestProgram program;
        const QString path = program.defaultDbPath(), folder = store::backupFolder(path);
        // Thirty copies of the empty file, the last of 12/5/2026; a contract saved later that day.
        makeDatabase(path, 0);
        for (int day = 0; day < 30; ++day) {
            const QString copy = store::backupPath(path, QDate(2026, 12, 5).addDays(-day));
            QVERIFY(QDir().mkpath(folder) && QFile::copy(path, copy));
            setWritten(copy, QDateTime(QDate(2026, 12, 5).addDays(-day), QTime(9, 0)));
        }
        const auto save = [&] { store::Connection(path).run("INSERT INTO Policies (DBA) VALUES ('Saved')"); };
        save();
        for (qsizetype n = 0; n < starts.size(); ++n) {
            const QDate day = starts[n];
            program.now = [day] { return QDateTime(day, QTime(9, 0)); };
            if (n + 1 == starts.size()) {
                damagePolicies(path);
                QFETCH(QList<ui::Reply>, replies);
                program.messages.replies = replies;
                for (const QString& name : picked)
                    program.files.answers << QDir(folder).filePath(name);
                QVERIFY(program.start());
                break;
            }
            QVERIFY(program.start());
            // The file's time is the one the machine's clock gave.
            if (QFile::exists(store::backupPath(path, day)))
                setWritten(store::backupPath(path, day), QDateTime(day, QTime(9, 0)));
            save();
        }
        const QString question = program.messages.shown.value(0).text;
        QVERIFY2(question.contains("Put the latest good backup, " + offered + ", in its place?"), qPrintable(question));
        QCOMPARE(program.messages.shown.size(), picked.isEmpty() ? 1 : 3);
        if (!picked.isEmpty())
            QVERIFY(program.messages.shown[1].text.endsWith("project.mdb is not a whole QUILLON database and cannot take "
                                                            "the file's place."));
        QCOMPARE(program.files.asked.size(), picked.size());
        for (const ui::OpenFileRequest& asked : program.files.asked)
            QCOMPARE((QStringList{asked.title, asked.initialFolder}), (QStringList{"Which backup of project.mdb?", folder}));
        QTEST(firstValue(path, "SELECT count(*) FROM Policies").toInt(), "restored");
        save();
        QTEST(firstValue(path, "SELECT max(ID) FROM Policies").toInt(), "nextId");
        for (const QDate& day : starts.mid(0, starts.size() - 1))
            QVERIFY2(QFile::exists(store::backupPath(path, day)), qPrintable(day.toString(Qt::ISODate)));
    }

    // Programs starting on one file at the same moment take the day's copy once between them, each under a
    // temporary name of its own; the others find it there and say nothing.
    void programsStartingAtOnceTakeOneCopy()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("project.mdb");
        makeDatabase(path, 400);
        constexpr int programs = 6;
        std::latch ready(programs);
        QList<int> outcomes(programs, -1);
        std::vector<std::thread> starts;
        for (int n = 0; n < programs; ++n)
            starts.emplace_back([&, n] {
                ready.arrive_and_wait();
                try {
                    outcomes[n] = int(store::takeDailyBackup(path, kDay1.date()).outcome);
                } catch (const store::StoreError&) {
                }
            });
        for (std::thread& start : starts)
            start.join();
        QCOMPARE(outcomes.count(int(store::DailyBackup::Outcome::Taken)), 1);
        QCOMPARE(outcomes.count(int(store::DailyBackup::Outcome::AlreadyTaken)), programs - 1);
        QCOMPARE(QDir(store::backupFolder(path)).entryList(QDir::Files), QStringList{"project-2026-12-07.mdb"});
    }

    // The day's copy lets go of the file for a write of the program's own rather than keep it waiting to
    // the end: the write is stored first, and the copy, started over after it, holds it.
    void copyStepsAsideForTheProgramsWrite()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("project.mdb");
        makeDatabase(path, 400);
        std::binary_semaphore inWrite(0), copyStarted(0);
        std::thread writer([&] {
            store::Connection connection(path);
            connection.transaction([&] {
                connection.run("INSERT INTO Agent (Name) VALUES ('Saved meanwhile')");
                inWrite.release();
                copyStarted.acquire();
                // Long enough for a copy that kept its lock to have ended without the write.
                std::this_thread::sleep_for(std::chrono::milliseconds(300));
            });
        });
        inWrite.acquire();
        std::thread copier([&] {
            copyStarted.release();
            store::copyDatabase(path, dir.filePath("copy.mdb"));
        });
        writer.join();
        copier.join();
        QCOMPARE(columnOf(dir.filePath("copy.mdb"), "Agent", "Name"), QStringList{"Saved meanwhile"});
    }

    // Put back after a crash in the middle of a large change: the copy takes the file's place whole, and
    // the original, set aside with its journal, still rolls back to every one of its rows.
    void restoreKeepsTheOriginalWithItsJournal()
    {
        QTemporaryDir dir;
        const QString crashed = dir.filePath("crashed/project.mdb"), backup = dir.filePath("backup.mdb");
        ::crashed(crashed);
        makeDatabase(backup, 5);
        QVERIFY(QFileInfo(crashed + "-journal").size() > 0);
        // Copies an older program left open to others are closed as they take the file's place or are set aside.
        QVERIFY(QFile::setPermissions(backup, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther) &&
                QFile::setPermissions(crashed, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther));
        store::restoreBackup(crashed, backup, kDay1);
        QCOMPARE((QList<int>{modeOf(crashed), modeOf(store::setAsidePath(crashed, kDay1))}), (QList<int>{0600, 0600}));
        QCOMPARE(firstValue(crashed, "PRAGMA integrity_check"), QString("ok"));
        QCOMPARE(firstValue(crashed, "SELECT count(*) FROM Policies"), QString("5"));
        const QString aside = store::setAsidePath(crashed, kDay1);
        QVERIFY(QFile::exists(aside + "-journal"));
        QCOMPARE(firstValue(aside, "PRAGMA integrity_check"), QString("ok"));
        QCOMPARE(firstValue(aside, "SELECT count(*) FROM Policies WHERE length(Company) = 200"), QString("600"));
    }

    // Delete pressed while the check still runs waits, under the busy cursor, for its verdict: on a
    // whole file it is then done; on a damaged one the start-up's message is shown and nothing is written.
    // A file as the last clean end left it needs no verdict: its writes go while its day's copy is taken.
    void writeWaitsForTheCheck_data()
    {
        QTest::addColumn<bool>("damaged");
        QTest::addColumn<bool>("cleanEnd");
        QTest::newRow("whole file") << false << false;
        QTest::newRow("damaged file") << true << false;
        QTest::newRow("whole file as a clean end left it") << false << true;
    }
    void writeWaitsForTheCheck()
    {
        QFETCH(bool, damaged);
        QFETCH(bool, cleanEnd);
        TestProgram program;
        const QString path = program.defaultDbPath();
        makeDatabase(path, 400);
        insertRows(path, "Agent", {"Company", "Name"}, {{"Acme", "Jo"}});
        if (damaged)
            writeFile(path, bytesOf(path).chopped(1000));
        if (cleanEnd)
            store::markCleanEnd(path);
        const QByteArray bytes = bytesOf(path);
        QSemaphore latch;
        QVERIFY(startWithCheckHeld(program, latch));
        bool waitedUntouched = false, deletedAtOnce = false;
        QTimer::singleShot(100, [&] {
            // A second write asked for meanwhile (a timer's) may not go before the verdict.
            waitedUntouched = bytesOf(path) == bytes && QGuiApplication::overrideCursor() &&
                              QGuiApplication::overrideCursor()->shape() == Qt::WaitCursor &&
                              !program.session().writesMayGo();
            deletedAtOnce = cleanEnd && columnOf(path, "Agent", "Name").isEmpty() && program.session().writesMayGo();
            latch.release();
        });
        program.click(program.main(), "cmdDeleteAgent");
        program.app->awaitLaterCheck();
        QVERIFY(cleanEnd ? deletedAtOnce : waitedUntouched);
        QVERIFY(!QGuiApplication::overrideCursor());
        QCOMPARE(program.session().ended, damaged);
        QCOMPARE(program.messages.shown.size(), damaged ? 1 : 0);
        if (damaged)
            QCOMPARE(bytesOf(path), bytes);
        else
            QCOMPARE(columnOf(path, "Agent", "Name"), QStringList{});
    }

    // Customers another program stored without a DBA (none, or an empty one) are given their names once
    // the file's verdict lets writes go: the start itself writes nothing into a file still to be checked.
    void missingDbaWaitsForTheVerdict()
    {
        TestProgram program;
        const QString path = program.defaultDbPath();
        makeDatabase(path, 1);
        insertRows(path, "Customer", {"Name", "DBA"}, {{"Ann", QVariant()}, {"Bob", ""}, {"Cy", "Cyco"}});
        const QByteArray bytes = bytesOf(path);
        QSemaphore latch;
        QVERIFY(startWithCheckHeld(program, latch));
        QCOMPARE(bytesOf(path), bytes);
        latch.release();
        program.app->awaitLaterCheck();
        QCOMPARE(columnOf(path, "Customer", "DBA"), (QStringList{"Ann", "Bob", "Cyco"}));
        QCOMPARE(linesOf(program.customers()), (QStringList{"Ann", "Bob", "Cyco"}));
    }

    // A run that ended at the user's word marks its checked file; the next start reads the file back
    // whole unless it finds it just as marked. The file's damage (which the first run's check was told
    // was not there) shows only when it is read back, on the day's copy already taken.
    void cleanEndSparesTheNextCheck_data()
    {
        QTest::addColumn<std::function<void(TestProgram&)>>("between");
        QTest::addColumn<bool>("spared");
        const auto cleanEnd = [](TestProgram& p) { p.main()->close(), p.app->markCleanEnd(); };
        QTest::newRow("unchanged since a clean end") << std::function<void(TestProgram&)>(cleanEnd) << true;
        QTest::newRow("no clean end") << std::function<void(TestProgram&)>([](TestProgram&) {}) << false;
        QTest::newRow("unchanged, the day's copy yet to take") << std::function<void(TestProgram&)>([=](TestProgram& p) {
            cleanEnd(p);
            QFile::remove(store::backupPath(p.defaultDbPath(), kDay1.date()));
        }) << false;
        QTest::newRow("written since by another program") << std::function<void(TestProgram&)>([=](TestProgram& p) {
            cleanEnd(p);
            store::Connection(p.defaultDbPath()).run("INSERT INTO Agent (Name) VALUES ('Other')");
        }) << false;
        QTest::newRow("another copy moved into its place") << std::function<void(TestProgram&)>([=](TestProgram& p) {
            QVERIFY(QFile::copy(p.defaultDbPath(), p.dir.filePath("copy.mdb")));
            cleanEnd(p);
            QVERIFY(std::rename(qPrintable(p.dir.filePath("copy.mdb")), qPrintable(p.defaultDbPath())) == 0);
        }) << false;
        QTest::newRow("marked by a program giving files another schema") << std::function<void(TestProgram&)>([=](TestProgram& p) {
            cleanEnd(p);
            const QString mark = store::cleanEndMarkPath(p.defaultDbPath());
            writeFile(mark, bytesOf(mark).replace(store::fileSchemaDigest(), "0123456789abcdef"));
        }) << false;
        QTest::newRow("run ended by a failure") << std::function<void(TestProgram&)>([=](TestProgram& p) {
            p.session().endProgramOnFailure();
            cleanEnd(p);
        }) << false;
        QTest::newRow("run met damage") << std::function<void(TestProgram&)>([=](TestProgram& p) {
            QVERIFY_THROWS_EXCEPTION(store::StoreError, store::Connection(p.defaultDbPath()).run("SELECT count(*) FROM Policies WHERE length(Company) > 0"));
            cleanEnd(p);
        }) << false;
    }
    void cleanEndSparesTheNextCheck()
    {
        QFETCH(std::function<void(TestProgram&)>, between);
        TestProgram program;
        program.now = [] { return kDay1; };
        const QString path = program.defaultDbPath();
        makeDatabase(path, 300);
        damagePolicies(path);
        writeFile(store::backupPath(path, kDay1.date()), "today's copy");
        program.app = std::make_unique<Application>(program.env, Services{&program.messages, &program.files, nullptr});
        program.app->session().now = program.now;
        program.app->setLaterCheck([](const LaterCheckRequest&) { return LaterCheck{}; });
        QVERIFY(program.app->start());
        program.app->awaitLaterCheck();
        between(program);
        QTEST(program.start(), "spared");
        QCOMPARE(QFile::exists(store::cleanEndMarkPath(path)), false);
    }

    // A copy that cannot be written is said once; the program starts all the same.
    void failedBackupIsReportedAndTheRunGoesOn()
    {
        TestProgram program;
        const QString path = program.defaultDbPath();
        makeDatabase(path, 1);
        writeFile(store::backupFolder(path), "a file where the folder belongs");
        QVERIFY(program.start());
        QCOMPARE(program.messages.shown.size(), 1);
        QCOMPARE(program.messages.last().icon, ui::MessageIcon::Warning);
        QVERIFY(program.messages.last().text.startsWith("The daily backup of " + QDir::toNativeSeparators(path) +
                                                        " could not be written to "));
    }
};

QTEST_MAIN(DatabaseChecksTest)
#include "tst_DatabaseChecks.moc"
