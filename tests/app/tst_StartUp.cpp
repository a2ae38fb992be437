#include "app/ProfileFile.h"
#include "people/TestProgram.h"

#include <QFile>
#include <QSqlRecord>
#include <QtTest>

namespace {
void writeFile(const QString& path, const QByteArray& content)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
        qFatal("cannot write %s", qPrintable(path));
}

// The run ended after one critical message under the program's title.
void checkEndedWith(TestProgram& program, const QString& text)
{
    QVERIFY(program.session().ended && !program.main()->isVisible());
    QCOMPARE(program.messages.shown, (QList<FakeMessageBoxService::Shown>{{text, ui::MessageIcon::Critical, "QUILLON"}}));
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
        QCOMPARE(program.agents()->count() + program.customers()->count(), 0);
        QVERIFY(program.messages.shown.isEmpty() && program.files.asked.isEmpty());
        QVERIFY(!QFile::exists(program.session().IniPath));
        QVERIFY(program.main()->isVisible());
        QCOMPARE(program.main()->windowTitle(), QString("TLY Finance 8.0"));
        QCOMPARE(store::Connection(program.defaultDbPath()).database().record("Policies").count(), 82);
    }

    void missingFileIsAskedForUntilOneExists()
    {
        TestProgram program;
        const QString ini = program.env.programFolder + "/tly2.ini", picked = program.dir.filePath("picked/chosen.mdb");
        writeFile(ini, "[file]\ndbdir=/nowhere/\n[other]\nkeep=yes\n");
        writeFile(picked, {});  // an empty file: it gets the tables
        program.files.answers = {program.dir.filePath("picked/typo.mdb"), picked};

        QVERIFY(program.start());
        QCOMPARE(program.files.asked.size(), 2);
        QCOMPARE(program.files.asked[1].title, QString("Where is project.mdb?"));
        QCOMPARE(program.files.asked[1].filter, QString("Access databases (*.mdb)|*.mdb|All files (*.*)|*.*"));
        QCOMPARE(program.files.asked[1].initialFolder, QString("C:\\"));
        QVERIFY(program.messages.shown.isEmpty());
        QCOMPARE(profile::readString(ini, "file", "dbdir", ""), program.dir.filePath("picked") + "/");
        QCOMPARE(profile::readString(ini, "file", "dbname", ""), QString("chosen.mdb"));
        QCOMPARE(profile::readString(ini, "other", "keep", ""), QString("yes"));

        program.files.asked.clear();
        QVERIFY(program.start());
        QVERIFY(program.files.asked.isEmpty());
        QCOMPARE(program.session().DBPath, picked);
    }

    void cancelledQuestionEndsTheProgram()
    {
        TestProgram program;
        profile::writeString(program.env.programFolder + "/tly2.ini", "file", "dbdir", "/nowhere/");
        QVERIFY(!program.start());
        QCOMPARE(program.files.asked.size(), 1);
        checkEndedWith(program, "No database found.\nProgram cannot continue.");
        QVERIFY(!QFile::exists(program.defaultDbPath()));
    }

    void fileThatIsNotADatabaseEndsTheProgram()
    {
        TestProgram program;
        const QByteArray letter(2048, 'x');
        writeFile(program.defaultDbPath(), letter);
        QVERIFY(!program.start());
        checkEndedWith(program, "Error 26: file is not a database");
        QFile file(program.defaultDbPath());
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), letter);
    }
};

QTEST_MAIN(StartUpTest)
#include "tst_StartUp.moc"
