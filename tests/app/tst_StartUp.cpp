#include "app/ProfileFile.h"
#include "app/Settings.h"
#include "people/TestProgram.h"
#include "ui/MessageBoxService.h"

#include <QFile>
#include <QtTest>

class StartUpTest : public QObject {
    Q_OBJECT
private slots:
    void firstRunCreatesTheDatabaseSilently();
    void missingFileIsAskedForUntilOneExists();
    void cancelledQuestionEndsTheProgram();
    void fileThatIsNotADatabaseEndsTheProgram();
    void emptyFileGetsTheTables();
    void configuredDatabaseOpensWithoutQuestions();
    void settingsMoveToTheUserFolderWhenTheProgramFolderIsNotWritable();
    void pickWrittenInWindowsForm_data();
    void pickWrittenInWindowsForm();

private:
    static QString readAll(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString("<missing>");
    }
};

void StartUpTest::firstRunCreatesTheDatabaseSilently()
{
    TestProgram program;
    QVERIFY(program.start());
    QVERIFY(QFile::exists(program.defaultDbPath()));
    QCOMPARE(program.session().DBPath, program.defaultDbPath());
    QCOMPARE(program.agents()->count(), 0);
    QCOMPARE(program.customers()->count(), 0);
    QVERIFY(program.messages.shown.isEmpty());
    QVERIFY(program.files.asked.isEmpty());
    QVERIFY(!QFile::exists(program.session().IniPath));
    QCOMPARE(program.main()->windowTitle(), QString("TLY Finance 8.0"));
    QCOMPARE(program.session().Version, QString("8.0"));
    QVERIFY(program.main()->isVisible());
    QVERIFY(program.session().CurrentContract.AprKept);

    store::Connection connection(program.defaultDbPath());
    QCOMPARE(connection.database().record("Policies").count(), 82);
}

void StartUpTest::missingFileIsAskedForUntilOneExists()
{
    TestProgram program;
    const QString ini = program.env.programFolder + "/tly2.ini";
    QFile seed(ini);
    QVERIFY(seed.open(QIODevice::WriteOnly));
    seed.write("; written by hand\n[file]\ndbdir=/nowhere/\ndbName=loans.mdb\n[other]\nkeep=yes\n");
    seed.close();

    QDir().mkpath(program.dir.filePath("picked"));
    const QString picked = program.dir.filePath("picked/chosen.mdb");
    store::createDatabase(picked);
    insertRows(picked, "Agent", {"Company", "Name"}, {{"Acme", "Jo"}});
    program.files.answers = {program.dir.filePath("picked/typo.mdb"), picked};

    QVERIFY(program.start());
    QCOMPARE(program.files.asked.size(), 2);
    for (const ui::OpenFileRequest& request : program.files.asked) {
        QCOMPARE(request.title, QString("Where is loans.mdb?"));
        QCOMPARE(request.filter, QString("Access databases (*.mdb)|*.mdb|All files (*.*)|*.*"));
        QCOMPARE(request.initialFolder, QString("C:\\"));
    }
    QVERIFY(program.messages.shown.isEmpty());
    QCOMPARE(program.session().DBPath, picked);
    QCOMPARE(linesOf(program.agents()), QStringList{"Acme - Jo"});
    QCOMPARE(readAll(ini), "; written by hand\n[file]\ndbdir=" + program.dir.filePath("picked") +
                               "/\ndbName=chosen.mdb\ndbdrive=\n[other]\nkeep=yes\n");

    // The next start finds the chosen file without asking.
    program.files.asked.clear();
    QVERIFY(program.start());
    QVERIFY(program.files.asked.isEmpty());
    QCOMPARE(program.session().DBPath, picked);
}

void StartUpTest::cancelledQuestionEndsTheProgram()
{
    TestProgram program;
    profile::writeString(program.env.programFolder + "/tly2.ini", "file", "dbdir", "/nowhere/");
    QVERIFY(!program.start());
    QCOMPARE(program.files.asked.size(), 1);
    QCOMPARE(program.files.asked[0].title, QString("Where is project.mdb?"));
    QCOMPARE(program.messages.shown.size(), 1);
    QCOMPARE(program.messages.last().text, QString("No database found.\nProgram cannot continue."));
    QCOMPARE(program.messages.last().icon, ui::MessageIcon::Critical);
    QCOMPARE(program.messages.last().title, QString("QUILLON"));
    QCOMPARE(program.messages.last().buttons, ui::MessageButtons::Ok);
    QVERIFY(program.session().ended);
    QVERIFY(!program.main()->isVisible());
    QVERIFY(!QFile::exists(program.defaultDbPath()));
}

void StartUpTest::fileThatIsNotADatabaseEndsTheProgram()
{
    TestProgram program;
    QDir().mkpath(program.env.userDataFolder);
    QFile letter(program.defaultDbPath());
    QVERIFY(letter.open(QIODevice::WriteOnly));
    const QByteArray content(2048, 'x');
    letter.write(content);
    letter.close();

    QVERIFY(!program.start());
    QCOMPARE(program.messages.shown.size(), 1);
    QCOMPARE(program.messages.last().text, QString("Error 26: file is not a database"));
    QCOMPARE(program.messages.last().icon, ui::MessageIcon::Critical);
    QCOMPARE(program.messages.last().title, QString("QUILLON"));
    QVERIFY(program.session().ended);
    QVERIFY(letter.open(QIODevice::ReadOnly));
    QCOMPARE(letter.readAll(), content);
}

void StartUpTest::emptyFileGetsTheTables()
{
    TestProgram program;
    QDir().mkpath(program.env.userDataFolder);
    QFile empty(program.defaultDbPath());
    QVERIFY(empty.open(QIODevice::WriteOnly));
    empty.close();
    QVERIFY(program.start());
    QVERIFY(program.messages.shown.isEmpty());
    store::Connection connection(program.defaultDbPath());
    QVERIFY(connection.database().tables().contains("Customer"));
}

void StartUpTest::configuredDatabaseOpensWithoutQuestions()
{
    TestProgram program;
    const QString db = program.makeDatabase();
    insertRows(db, "Agent", {"Company", "Name"}, {{QVariant(), "Jo Smith"}, {"Acme", "Al"}});
    insertRows(db, "Customer", {"Name", "DBA"}, {{"Ann Lee", QVariant()}, {"Bo", "Bo's Farm"}});
    const QString ini = program.env.programFolder + "/tly2.ini";
    profile::writeString(ini, "file", "dbname", "project.mdb");
    const QString before = readAll(ini);

    QVERIFY(program.start());
    QVERIFY(program.files.asked.isEmpty());
    QCOMPARE(linesOf(program.agents()), (QStringList{" - Jo Smith", "Acme - Al"}));
    QCOMPARE(linesOf(program.customers()), (QStringList{"Ann Lee", "Bo's Farm"}));
    QCOMPARE(program.agents()->currentRow(), 1);
    QCOMPARE(program.customers()->currentRow(), 1);
    QCOMPARE(readAll(ini), before);
}

void StartUpTest::settingsMoveToTheUserFolderWhenTheProgramFolderIsNotWritable()
{
    Environment env;
    env.programFolder = "/proc";
    env.userConfigFolder = "/home/ann/.config/QUILLON";
    QCOMPARE(settingsFolder(env), env.userConfigFolder);
    QTemporaryDir writable;
    env.programFolder = writable.path();
    QCOMPARE(settingsFolder(env), writable.path());
}

void StartUpTest::pickWrittenInWindowsForm_data()
{
    QTest::addColumn<QString>("picked");
    QTest::addColumn<QString>("written");
    QTest::newRow("file in a folder") << "D:\\Files\\loans.mdb" << "dbdrive=D:\ndbdir=\\Files\\\ndbname=loans.mdb";
    QTest::newRow("drive root") << "D:\\project.mdb" << "dbdrive=D:\ndbdir=\\\ndbname=project.mdb";
    QTest::newRow("network share") << "\\\\server\\share\\project.mdb"
                                   << "dbdrive=\\\\\ndbdir=server\\share\\\ndbname=project.mdb";
}

void StartUpTest::pickWrittenInWindowsForm()
{
    QFETCH(QString, picked);
    QFETCH(QString, written);
    QTemporaryDir dir;
    Session session;
    session.env.pathStyle = PathStyle::Windows;
    session.IniPath = dir.filePath("tly2.ini");
    QFile seed(session.IniPath);
    QVERIFY(seed.open(QIODevice::WriteOnly));
    seed.write("[lender]\nphone=(800) 555-0100\n");
    seed.close();
    session.DBPath = picked;
    WriteSettings(session);
    QCOMPARE(readAll(session.IniPath), "[lender]\nphone=(800) 555-0100\n[file]\n" + written + "\n");
    QCOMPARE(session.DBDrive + session.DBDir + session.DBName, picked);
}

QTEST_MAIN(StartUpTest)
#include "tst_StartUp.moc"
