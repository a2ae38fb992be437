#include "session/Session.h"
#include "settings/Settings.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <set>

namespace {
const QString kProgram = "/opt/quillon/bin/tly2.ini";
const QString kUser = "/home/ann/.config/QUILLON/tly2.ini";
const QString kSystem = "/etc/xdg/QUILLON/tly2.ini";
const QString kVendor = "/usr/share/xdg/QUILLON/tly2.ini";

Environment installed()
{
    Environment env{"/opt/quillon/bin", "/home/ann/.config/QUILLON", "/home/ann/.local/share/QUILLON"};
    env.systemConfigFolders = {"/etc/xdg/QUILLON", "/usr/share/xdg/QUILLON"};
    return env;
}

struct LookUp {
    bool programWritable;
    QStringList existing;
    SettingsFiles chosen;
};

void writeFile(const QString& path, const QByteArray& text)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(text) == text.size());
}
} // namespace
Q_DECLARE_METATYPE(LookUp)

class SettingsLookUpTest : public QObject {
    Q_OBJECT
private slots:
    void chosenFiles_data()
    {
        QTest::addColumn<LookUp>("row");
        QTest::newRow("program folder writable: its file only, even with others around")
            << LookUp{true, {kUser, kSystem}, {kProgram, kProgram}};
        QTest::newRow("program folder writable, no file yet") << LookUp{true, {}, {kProgram, kProgram}};
        QTest::newRow("read-only program folder with a file there")
            << LookUp{false, {kProgram, kSystem}, {kProgram, kUser}};
        QTest::newRow("a per-user file and one in the program folder")
            << LookUp{false, {kProgram, kUser, kSystem}, {kUser, kUser}};
        QTest::newRow("machine-wide file only") << LookUp{false, {kSystem, kVendor}, {kSystem, kUser}};
        QTest::newRow("second machine-wide folder") << LookUp{false, {kVendor}, {kVendor, kUser}};
        QTest::newRow("no settings file anywhere") << LookUp{false, {}, {kUser, kUser}};
    }
    void chosenFiles()
    {
        QFETCH(LookUp, row);
        const std::set<QString> existing(row.existing.begin(), row.existing.end());
        const SettingsFiles chosen = chooseSettingsFiles(
            installed(), row.programWritable, [&](const QString& path) { return existing.count(path) > 0; });
        QCOMPARE(chosen.read, row.chosen.read);
        QCOMPARE(chosen.write, row.chosen.write);
    }

    // An administrator's file names the office database for everyone; a user's
    // pick goes to the per-user file, leaves the administrator's alone and is
    // what the next start reads.
    void pickGoesToTheUserFileAndWinsNextTime()
    {
        QTemporaryDir dir;
        Session session;
        session.env = Environment{"/proc", dir.filePath("user"), dir.filePath("data")};
        session.env.systemConfigFolders = {dir.filePath("etc")};
        const QByteArray office = "[file]\ndbdrive=\ndbdir=/srv/office/\ndbname=loans.mdb\n";
        writeFile(dir.filePath("etc/tly2.ini"), office);

        ReadSettings(session);
        QCOMPARE(session.IniPath, dir.filePath("etc/tly2.ini"));
        QCOMPARE(session.DBPath, QString("/srv/office/loans.mdb"));

        session.DBPath = dir.filePath("mine/own.mdb");
        WriteSettings(session);
        QFile admin(dir.filePath("etc/tly2.ini"));
        QVERIFY(admin.open(QIODevice::ReadOnly));
        QCOMPARE(admin.readAll(), office);

        Session next;
        next.env = session.env;
        ReadSettings(next);
        QCOMPARE(next.IniPath, dir.filePath("user/tly2.ini"));
        QCOMPARE(next.DBPath, dir.filePath("mine/own.mdb"));
    }

    // A program folder that can be written is read and written as always.
    void writableProgramFolderKeepsItsFile()
    {
        QTemporaryDir dir;
        Session session;
        session.env = Environment{dir.path(), dir.filePath("user"), dir.filePath("data")};
        ReadSettings(session);
        session.DBPath = dir.filePath("a.mdb");
        WriteSettings(session);
        QVERIFY(QFile::exists(dir.filePath("tly2.ini")));
        QVERIFY(!QFile::exists(dir.filePath("user/tly2.ini")));
    }
};

QTEST_GUILESS_MAIN(SettingsLookUpTest)
#include "tst_SettingsLookUp.moc"
