#include "settings/ProfileFile.h"
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
        writeFile(picked, {});
        store::Connection(picked).run("PRAGMA user_version = 7");  // a database without tables: it gets them
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
        QCOMPARE(program.session().DBPath, picked);
    }

    // A cancelled question, or a file that is not a database (left untouched), ends the run with a message.
    void startEnds_data()
    {
        QTest::addColumn<QByteArray>("letter");
        QTest::addColumn<QString>("text");
        QTest::newRow("question cancelled") << QByteArray() << "No database found.\nProgram cannot continue.";
        QTest::newRow("not a database") << QByteArray(2048, 'x') << "%1 is not a QUILLON database.\nError 26: file is not a database";
    }
    void startEnds()
    {
        QFETCH(QByteArray, letter);
        QFETCH(QString, text);
        TestProgram program;
        if (letter.isEmpty())
            profile::writeString(program.env.programFolder + "/tly2.ini", "file", "dbdir", "/nowhere/");
        else
            writeFile(program.defaultDbPath(), letter);
        QVERIFY(!program.start());
        QVERIFY(program.session().ended && !program.main()->isVisible());
        QCOMPARE(program.files.asked.size(), letter.isEmpty() ? 1 : 0);
        QCOMPARE(program.messages.shown, (QList<FakeMessageBoxService::Shown>{
                                             {text.replace("%1", program.defaultDbPath()), ui::MessageIcon::Critical, "QUILLON"}}));
        QFile file(program.defaultDbPath());
        QCOMPARE(file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray(), letter);
    }
};

QTEST_MAIN(StartUpTest)
#include "tst_StartUp.moc"
