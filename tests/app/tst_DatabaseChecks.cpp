#include "settings/ProfileFile.h"
#include "people/TestProgram.h"
#include "store/Backup.h"
#include "store/PoliciesColumns.h"

#include <QFile>
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

    // The newest 30 copies stay; other files in the folder are never touched.
    void newestThirtyCopiesAreKept()
    {
        TestProgram program;
        const QString path = program.defaultDbPath();
        makeDatabase(path, 1);
        const QString folder = store::backupFolder(path);
        for (int day = 1; day <= 31; ++day)
            writeFile(store::backupPath(path, QDate(2026, 10, 1).addDays(day)), "old");
        for (const char* other : {"notes.txt", "project-old.mdb", "loans-2020-01-01.mdb"})
            writeFile(folder + "/" + other, "keep");
        program.now = [] { return kDay1; };
        QVERIFY(program.start());
        const QStringList kept = store::existingBackups(path);
        QCOMPARE(kept.size(), 30);
        QCOMPARE(QFileInfo(kept.first()).fileName(), QString("project-2026-10-04.mdb"));
        QCOMPARE(QFileInfo(kept.last()).fileName(), QString("project-2026-12-07.mdb"));
        for (const char* other : {"notes.txt", "project-old.mdb", "loans-2020-01-01.mdb"})
            QVERIFY(QFile::exists(folder + "/" + other));
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
