#include "app/ProfileFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using Found = std::optional<QString>;
Q_DECLARE_METATYPE(Found)

class ProfileFileTest : public QObject {
    Q_OBJECT
private slots:
    void readsValue_data();
    void readsValue();
    void writesValue_data();
    void writesValue();
    void missingFileGivesDefault();
    void writingCreatesFileAndReadsBack();
};

void ProfileFileTest::readsValue_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<Found>("expected");

    const QString file = "[file]\ndbdrive=C:\ndbdir=\\Data\\\ndbname=project.mdb\n";
    QTest::newRow("plain key") << file << "file" << "dbdir" << Found("\\Data\\");
    QTest::newRow("key in other case") << file << "file" << "dbName" << Found("project.mdb");
    QTest::newRow("section in other case") << file << "FILE" << "dbdrive" << Found("C:");
    QTest::newRow("missing key") << file << "file" << "dbpath" << Found();
    QTest::newRow("missing section") << file << "lender" << "dbdir" << Found();
    QTest::newRow("present but empty") << "[file]\ndbdrive=\n" << "file" << "dbdrive" << Found("");
    QTest::newRow("blanks around name and value")
        << "[ file ]\n  dbdir =  \\x\\  \n" << "file" << "dbdir" << Found("\\x\\");
    QTest::newRow("windows line ends") << "[file]\r\ndbname=a.mdb\r\n" << "file" << "dbname" << Found("a.mdb");
    QTest::newRow("same key in another section")
        << "[other]\ndbname=wrong.mdb\n[file]\ndbname=right.mdb\n" << "file" << "dbname" << Found("right.mdb");
    QTest::newRow("key after the section ended")
        << "[file]\ndbdrive=D:\n[other]\ndbname=x.mdb\n" << "file" << "dbname" << Found();
    QTest::newRow("commented out") << "[file]\n;dbname=old.mdb\n" << "file" << "dbname" << Found();
    QTest::newRow("equals sign inside value") << "[file]\ndbdir=a=b\n" << "file" << "dbdir" << Found("a=b");
    QTest::newRow("first of two sections of one name")
        << "[file]\ndbdrive=E:\n[file]\ndbdrive=F:\n" << "file" << "dbdrive" << Found("E:");
}

void ProfileFileTest::readsValue()
{
    QFETCH(QString, text);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(Found, expected);
    QCOMPARE(profile::valueIn(text, section, key), expected);
}

void ProfileFileTest::writesValue_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("after");

    QTest::newRow("empty file gets section and key") << "" << "dbdrive" << "D:" << "[file]\ndbdrive=D:\n";
    QTest::newRow("value replaced in place, other lines kept")
        << "; keep me\n[file]\ndbdrive=C:\ndbname=a.mdb\n[lender]\nphone=1\n" << "dbdrive" << "D:"
        << "; keep me\n[file]\ndbdrive=D:\ndbname=a.mdb\n[lender]\nphone=1\n";
    QTest::newRow("key matched without regard to case keeps its spelling")
        << "[File]\ndbName=a.mdb\n" << "dbname" << "b.mdb" << "[File]\ndbName=b.mdb\n";
    QTest::newRow("key added at the end of its section, before the blank line")
        << "[file]\ndbdrive=C:\n\n[lender]\nphone=1\n" << "dbdir" << "\\Files\\"
        << "[file]\ndbdrive=C:\ndbdir=\\Files\\\n\n[lender]\nphone=1\n";
    QTest::newRow("section added at the end")
        << "[lender]\nphone=1\n" << "dbname" << "x.mdb" << "[lender]\nphone=1\n[file]\ndbname=x.mdb\n";
    QTest::newRow("file without final line break")
        << "[file]\ndbdrive=C:" << "dbdrive" << "" << "[file]\ndbdrive=\n";
    QTest::newRow("windows line ends kept")
        << "[file]\r\ndbdrive=C:\r\n" << "dbname" << "p.mdb" << "[file]\r\ndbdrive=C:\r\ndbname=p.mdb\r\n";
    QTest::newRow("commented key left alone")
        << "[file]\n;dbname=old.mdb\n" << "dbname" << "new.mdb" << "[file]\n;dbname=old.mdb\ndbname=new.mdb\n";
}

void ProfileFileTest::writesValue()
{
    QFETCH(QString, before);
    QFETCH(QString, key);
    QFETCH(QString, value);
    QFETCH(QString, after);
    QCOMPARE(profile::withValue(before, "file", key, value), after);
}

void ProfileFileTest::missingFileGivesDefault()
{
    QTemporaryDir dir;
    QCOMPARE(profile::readString(dir.filePath("tly2.ini"), "file", "dbdrive", "c:"), QString("c:"));
}

void ProfileFileTest::writingCreatesFileAndReadsBack()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("tly2.ini");
    QVERIFY(profile::writeString(path, "file", "dbdrive", "D:"));
    QVERIFY(profile::writeString(path, "file", "dbdir", "\\Files\\"));
    QCOMPARE(profile::readString(path, "FILE", "DBDIR", "none"), QString("\\Files\\"));
    QCOMPARE(profile::readString(path, "file", "dbname", "project.mdb"), QString("project.mdb"));
    QVERIFY(!profile::writeString(dir.filePath("no/such/folder/tly2.ini"), "file", "dbdrive", "D:"));

    const QString longFolder = "/" + QString(300, QChar('f')) + "/";
    QVERIFY(profile::writeString(path, "file", "dbdir", longFolder));
    QCOMPARE(profile::readString(path, "file", "dbdir", QString()), longFolder);
}

QTEST_GUILESS_MAIN(ProfileFileTest)
#include "tst_ProfileFile.moc"
