#include "model/settings/ProfileFile.h"
#include "support/FileBytes.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {
using Found = std::optional<QString>;
const QByteArray kLongFolder = "\\" + QByteArray(998, 'x') + "\\"; // a value of 1,000 characters

// Files as offices leave them after years of hand edits.
const QList<std::pair<const char*, QByteArray>> kFiles = {
    {"mixed line endings", "[file]\r\ndbdrive=C:\n\r\n[lender]\rphone=(214) 555-1000\r\n"},
    {"byte-order mark", "\xEF\xBB\xBF[file]\r\ndbname=project.mdb\r\n"},
    {"latin-1 and invalid bytes", "; caf\xE9\n[file]\ndbdir=\\Donn\xE9" "es\\\n[lender]\nstreet=\xFF\xFE bad\n"},
    {"duplicate sections", "[file]\ndbdrive=A:\n[lender]\nphone=1\n[FILE]\ndbdrive=B:\ndbname=other.mdb\n"},
    {"value of 1,000 characters", "[file]\r\ndbdir=" + kLongFolder + "\r\ndbname = \"a.mdb\" \r\n"},
    {"no final line ending", "[file]\r\ndbdrive=C:"},
    {"no file section, CR endings", "[lender]\rphone=1\r"},
    {"empty file", ""},
};
} // namespace

class ProfileTextTest : public QObject {
    Q_OBJECT
private slots:
    void readsValue_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<Found>("value"); // written first when it is not what the file holds
        const QByteArray file = "[file]\ndbdrive=C:\ndbname=project.mdb\n";
        QTest::newRow("key in other case") << file << "file" << "dbName" << Found("project.mdb");
        QTest::newRow("missing key") << file << "file" << "dbdir" << Found();
        QTest::newRow("present but empty") << QByteArray("[file]\ndbdrive=\n") << "file" << "dbdrive" << Found("");
        QTest::newRow("same key in another section")
            << QByteArray("[other]\ndbname=wrong.mdb\n[file]\ndbname=right.mdb\n") << "file" << "dbname" << Found("right.mdb");
        QTest::newRow("first of two sections of the name")
            << QByteArray("[file]\ndbdrive=A:\n[File]\ndbdrive=B:\ndbdir=\\x\\\n") << "file" << "dbdir" << Found();
        QTest::newRow("quoted in lender section, blanks kept")
            << QByteArray("[lender]\nstreet = \" 9 MAIN ST \" \n") << "lender" << "street" << Found(" 9 MAIN ST ");
        QTest::newRow("only one pair of quotes dropped")
            << QByteArray("[file]\ndbname=\"\"a\"\"\n") << "file" << "dbname" << Found("\"a\"");
        QTest::newRow("commented key") << QByteArray("[file]\n;dbname=old.mdb\n") << "file" << "dbname" << Found();
        QTest::newRow("latin-1 value")
            << QByteArray("[file]\ndbdir=\\Donn\xE9" "es\\\n") << "file" << "dbdir" << Found("\\Donn\u00e9es\\");
        QTest::newRow("heading right after the byte-order mark")
            << QByteArray("\xEF\xBB\xBF[file]\ndbdrive=E:\n") << "file" << "dbdrive" << Found("E:");
        QTest::newRow("blanks around, written") << file << "file" << "dbdrive" << Found(" padded ");
        QTest::newRow("own quotes, written") << file << "file" << "dbname" << Found("\"quoted\"");
    }
    void readsValue()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(Found, value);
        if (QByteArray(QTest::currentDataTag()).endsWith("written")) {
            const std::optional<QByteArray> after = profile::withValue(file, section, key, *value);
            QVERIFY(after);
            file = *after;
        }
        QCOMPARE(profile::valueIn(file, section, key), value);
    }

    // The three keys of a pick, written the way the program writes them, give exactly these bytes.
    void pickWritesOnlyItsValues_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("after");
        const QByteArray pick = "dbdrive=D:\ndbdir=\\Files\\\ndbname=loans.mdb";
        const QList<QByteArray> results = {
            "[file]\r\n" + pick + "\n\r\n[lender]\rphone=(214) 555-1000\r\n",
            "\xEF\xBB\xBF[file]\r\ndbname=loans.mdb\r\ndbdrive=D:\r\ndbdir=\\Files\\\r\n",
            "; caf\xE9\n[file]\ndbdir=\\Files\\\ndbdrive=D:\ndbname=loans.mdb\n[lender]\nstreet=\xFF\xFE bad\n",
            "[file]\n" + pick + "\n[lender]\nphone=1\n[FILE]\ndbdrive=B:\ndbname=other.mdb\n",
            "[file]\r\ndbdir=\\Files\\\r\ndbname = loans.mdb \r\ndbdrive=D:\r\n",
            "[file]\r\n" + QByteArray(pick).replace("\n", "\r\n"),
            "[lender]\rphone=1\r[file]\r" + QByteArray(pick).replace("\n", "\r") + "\r",
            "[file]\n" + pick + "\n",
        };
        for (qsizetype i = 0; i < kFiles.size(); ++i)
            QTest::newRow(kFiles[i].first) << kFiles[i].second << results[i];
    }
    void pickWritesOnlyItsValues()
    {
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, after);
        QTemporaryDir dir;
        const QString path = dir.filePath("tly2.ini");
        if (!before.isEmpty())
            writeFile(path, before);
        QVERIFY(profile::writeStrings(path, "file", {{"dbdrive", "D:"}, {"dbdir", "\\Files\\"}, {"dbname", "loans.mdb"}}));
        QCOMPARE(bytesOf(path), after);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"tly2.ini"});
    }

    // A value that cannot stay on one line leaves the whole file as it was, the other keys included.
    void unwritableValueWritesNothing()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("tly2.ini");
        const QByteArray before = "[file]\r\ndbdrive=C:\r\n";
        writeFile(path, before);
        QVERIFY(!profile::writeStrings(path, "file", {{"dbdrive", "D:"}, {"dbname", "two\nlines.mdb"}}));
        QCOMPARE(bytesOf(path), before);
        QVERIFY(!profile::withValue(before, "file", "dbname", "a\rb"));
    }
};

QTEST_GUILESS_MAIN(ProfileTextTest)
#include "tst_ProfileText.moc"
