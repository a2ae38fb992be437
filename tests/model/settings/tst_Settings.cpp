#include "model/session/Session.h"
#include "model/settings/DatabaseLocation.h"
#include "model/settings/ProfileFile.h"
#include "model/settings/Settings.h"
#include "support/FileBytes.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>

#include <sys/stat.h>

namespace {
using Found = std::optional<QString>;
const QString kData = "/home/ann/.local/share/QUILLON";
constexpr auto win = PathStyle::Windows, posix = PathStyle::Posix;

struct Stored { PathStyle style; Found dbdrive, dbdir, dbname; QString path; };
struct Pick { PathStyle style; QString picked, written; };
} // namespace
Q_DECLARE_METATYPE(Stored)
Q_DECLARE_METATYPE(Pick)

class SettingsTest : public QObject {
    Q_OBJECT
private slots:
    void pathFromStoredValues_data()
    {
        QTest::addColumn<Stored>("row");
        QTest::newRow("windows, no settings file") << Stored{win, {}, {}, {}, "c:\\project.mdb"};
        QTest::newRow("windows, folder without backslashes") << Stored{win, {}, "Data", {}, "c:Data\\project.mdb"};
        QTest::newRow("windows, empty drive is not the default")
            << Stored{win, "", "\\Files\\", "loans.mdb", "\\Files\\loans.mdb"};
        QTest::newRow("posix, no settings file") << Stored{posix, {}, {}, {}, kData + "/project.mdb"};
        QTest::newRow("posix, folder without final slash") << Stored{posix, "", "/srv/loans", "a.mdb", "/srv/loans/a.mdb"};
    }
    void pathFromStoredValues()
    {
        QFETCH(Stored, row);
        const DatabaseLocation location = locationFromSettings({row.dbdrive, row.dbdir, row.dbname}, row.style, kData);
        QCOMPARE(location.path(), row.path);
    }

    // After a pick, dbdrive is replaced in place, the other two keys join its section, every other line stays,
    // and the three values name the same file on the next start, also when the settings folder is yet to make.
    void pickIsWrittenAndReadBack_data()
    {
        QTest::addColumn<Pick>("row");
        QTest::newRow("windows, file in a folder")
            << Pick{win, "D:\\Files\\loans.mdb", "dbdrive=D:\ndbdir=\\Files\\\ndbname=loans.mdb"};
        QTest::newRow("windows, drive root") << Pick{win, "D:\\project.mdb", "dbdrive=D:\ndbdir=\\\ndbname=project.mdb"};
        QTest::newRow("windows, network share")
            << Pick{win, "\\\\server\\share\\project.mdb", "dbdrive=\\\\\ndbdir=server\\share\\\ndbname=project.mdb"};
        QTest::newRow("posix, file in a folder") << Pick{posix, "/srv/odd\\name.mdb", "dbdrive=\ndbdir=/srv/\ndbname=odd\\name.mdb"};
        QTest::newRow("posix, root") << Pick{posix, "/project.mdb", "dbdrive=\ndbdir=/\ndbname=project.mdb"};
    }
    void pickIsWrittenAndReadBack()
    {
        QFETCH(Pick, row);
        QTemporaryDir dir;
        Session session;
        session.env.pathStyle = row.style;
        session.IniPath = dir.filePath("tly2.ini");
        writeFile(session.IniPath, "; kept\n[File]\ndbdrive=x\n\n[lender]\nphone=1\n");
        session.DBPath = row.picked;
        WriteSettings(session);
        const QString text = QString::fromUtf8(bytesOf(session.IniPath));
        QCOMPARE(text, "; kept\n[File]\n" + row.written + "\n\n[lender]\nphone=1\n");
        const auto stored = [&](const char* key) { return profile::valueIn(text.toUtf8(), "file", key); };
        QCOMPARE(locationFromSettings({stored("dbdrive"), stored("dbdir"), stored("dbname")}, row.style, kData).path(),
                 row.picked);
        session.IniWritePath = dir.filePath("new/tly2.ini");
        WriteSettings(session);
        QCOMPARE(profile::valueIn(bytesOf(session.IniWritePath), "file", "dbname"), stored("dbname"));
    }

    // Only a regular file of at most 1 MiB is read, at once: a pipe or a device is never opened, a large
    // file never read. Such a file reads as missing, is never written over, and its problem is named.
    void unusableSettingsFile_data()
    {
        QTest::addColumn<std::function<void(const QString&)>>("make");
        QTest::addColumn<QString>("problem");
        const auto sized = [](qint64 size) {
            return std::function<void(const QString&)>([size](const QString& path) {
                QFile file(path);
                QVERIFY(file.open(QIODevice::WriteOnly) && file.write("[file]\ndbname=x.mdb\n") > 0 && file.resize(size));
            });
        };
        QTest::newRow("a pipe") << std::function<void(const QString&)>([](const QString& path) {
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        }) << "it is not a regular file";
        QTest::newRow("a link to an endless device") << std::function<void(const QString&)>([](const QString& path) {
            QVERIFY(QFile::link("/dev/zero", path));
        }) << "it is not a regular file";
        QTest::newRow("a folder") << std::function<void(const QString&)>([](const QString& path) {
            QVERIFY(QDir().mkdir(path));
        }) << "it is not a regular file";
        QTest::newRow("200 MB") << sized(200'000'000) << "it is larger than 1 MiB";
        QTest::newRow("one byte over 1 MiB") << sized(1024 * 1024 + 1) << "it is larger than 1 MiB";
        QTest::newRow("exactly 1 MiB") << sized(1024 * 1024) << "";
    }
    void unusableSettingsFile()
    {
        QFETCH(std::function<void(const QString&)>, make);
        QFETCH(QString, problem);
        QTemporaryDir dir;
        const QString path = dir.filePath("tly2.ini");
        make(path);
        QCOMPARE(profile::settingsFileProblem(path), problem);
        QCOMPARE(profile::readValue(path, "file", "dbname"), problem.isEmpty() ? Found("x.mdb") : Found());
        if (!problem.isEmpty())
            QVERIFY(!profile::writeString(path, "file", "dbname", "y.mdb"));
    }
};

QTEST_GUILESS_MAIN(SettingsTest)
#include "tst_Settings.moc"
