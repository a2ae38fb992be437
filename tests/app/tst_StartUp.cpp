#include "settings/ProfileFile.h"
#include "people/TestProgram.h"
#include "store/Backup.h"

#include <QSqlRecord>
#include <QtTest>

// How a run finds its database file: made on the first run, asked for when the settings name none
// that exists, the run ended when none can serve.
namespace {
using Shown = FakeMessageBoxService::Shown;
const QByteArray kText(2048, 'x');

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
Shown notADatabase(const QString& path)
{
    return {path + " is not a QUILLON database.\nError 26: file is not a database", ui::MessageIcon::Critical, "QUILLON"};
}
} // namespace

class StartUpTest : public QObject {
    Q_OBJECT
private slots:
    // No settings file and no database: one is made where it belongs, without a word.
    void firstRunCreatesTheDatabaseSilently()
    {
        TestProgram program;
        QVERIFY(program.start());
        QCOMPARE(program.session().DBPath, program.defaultDbPath());
        QVERIFY(program.messages.shown.isEmpty() && program.files.asked.isEmpty());
        QVERIFY(!QFile::exists(program.session().IniPath));
        QVERIFY(program.main()->isVisible());
        QCOMPARE(program.main()->windowTitle(), QString("TLY Finance 8.0"));
        QCOMPARE(store::Connection(program.defaultDbPath()).database().record("Policies").count(), 103);
    }

    // A name that is no file asks again, so does a file that cannot serve (named, left untouched);
    // only the pick that serves is written into the settings, beside what they held.
    void pickIsAskedForUntilOneServes()
    {
        TestProgram program;
        const QString ini = program.env.programFolder + "/tly2.ini";
        const QString bad = program.dir.filePath("picked/project.mdb"), good = program.dir.filePath("good/chosen.mdb");
        writeFile(ini, "[file]\ndbdir=/nowhere/\n[other]\nkeep=yes\n");
        writeFile(bad, kText);
        writeFile(good, {});
        store::Connection(good).run("PRAGMA user_version = 7"); // a database without tables: it gets them
        program.files.answers = {program.dir.filePath("picked/typo.mdb"), bad, good};

        QVERIFY(program.start());
        QCOMPARE(program.files.asked.size(), 3);
        QCOMPARE(program.files.asked[2].title, QString("Where is project.mdb?"));
        QCOMPARE(program.files.asked[2].filter, QString("Access databases (*.mdb)|*.mdb|All files (*.*)|*.*"));
        QCOMPARE(program.files.asked[2].initialFolder, QString("C:\\"));
        QCOMPARE(program.messages.shown, QList<Shown>{notADatabase(bad)});
        QCOMPARE(bytesOf(bad), kText);
        QCOMPARE(profile::readString(ini, "file", "dbdir", ""), program.dir.filePath("good") + "/");
        QCOMPARE(profile::readString(ini, "file", "dbname", ""), QString("chosen.mdb"));
        QCOMPARE(profile::readString(ini, "other", "keep", ""), QString("yes"));
        QCOMPARE(program.session().DBPath, good);
    }

    // A file that cannot serve, picked then the question cancelled, or named by the settings: the run
    // ends with the messages; the file, the settings and the backups are left as they were.
    void startEnds_data()
    {
        QTest::addColumn<bool>("picking");
        QTest::newRow("refused pick, then the question cancelled") << true;
        QTest::newRow("the configured file not a database") << false;
    }
    void startEnds()
    {
        QFETCH(bool, picking);
        TestProgram program;
        const QString ini = program.env.programFolder + "/tly2.ini";
        const QString bad = picking ? program.dir.filePath("picked/project.mdb") : program.defaultDbPath();
        if (picking) {
            writeFile(ini, "[file]\ndbdir=/nowhere/\n");
            program.files.answers = {bad};
        }
        writeFile(bad, kText);
        const QByteArray settings = bytesOf(ini);
        QVERIFY(!program.start());
        QVERIFY(program.session().ended && !program.main()->isVisible());
        QList<Shown> said{notADatabase(bad)};
        if (picking)
            said << Shown{"No database found.\nProgram cannot continue.", ui::MessageIcon::Critical, "QUILLON"};
        QCOMPARE(program.messages.shown, said);
        QCOMPARE(bytesOf(bad), kText);
        QCOMPARE(bytesOf(ini), settings);
        QVERIFY(store::existingBackups(bad).isEmpty());
    }
};

QTEST_MAIN(StartUpTest)
#include "tst_StartUp.moc"
