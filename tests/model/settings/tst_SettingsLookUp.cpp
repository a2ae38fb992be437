#include "model/session/Session.h"
#include "model/settings/Settings.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

#include <set>

#include <sys/stat.h>
#include <unistd.h>

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
    ProgramFolder programFolder;
    QStringList existing;
    SettingsFiles chosen;
};

} // namespace
Q_DECLARE_METATYPE(LookUp)
Q_DECLARE_METATYPE(ProgramFolder)

class SettingsLookUpTest : public QObject {
    Q_OBJECT
private slots:
    void chosenFiles_data()
    {
        QTest::addColumn<LookUp>("row");
        constexpr auto own = ProgramFolder::Own, installed = ProgramFolder::Installed,
                       open = ProgramFolder::OpenToOthers;
        QTest::newRow("own program folder: its file only, even with others around")
            << LookUp{own, {kUser, kSystem}, {kProgram, kProgram}};
        QTest::newRow("installed program with a file in its folder")
            << LookUp{installed, {kProgram, kSystem}, {kProgram, kUser}};
        QTest::newRow("a per-user file and one in the program folder")
            << LookUp{installed, {kProgram, kUser, kSystem}, {kUser, kUser}};
        QTest::newRow("machine-wide file only") << LookUp{installed, {kSystem, kVendor}, {kSystem, kUser}};
        QTest::newRow("second machine-wide folder") << LookUp{installed, {kVendor}, {kVendor, kUser}};
        QTest::newRow("no settings file anywhere") << LookUp{installed, {}, {kUser, kUser}};
        QTest::newRow("program folder others can write: its file is not read")
            << LookUp{open, {kProgram, kSystem}, {kSystem, kUser}};
        QTest::newRow("program folder others can write, nothing else") << LookUp{open, {kProgram}, {kUser, kUser}};
    }
    void chosenFiles()
    {
        QFETCH(LookUp, row);
        const std::set<QString> existing(row.existing.begin(), row.existing.end());
        const SettingsFiles chosen = chooseSettingsFiles(
            installed(), row.programFolder, [&](const QString& path) { return existing.count(path) > 0; });
        QCOMPARE(chosen.read, row.chosen.read);
        QCOMPARE(chosen.write, row.chosen.write);
    }

    // Being able to write the folder is not enough: it must be the user's own,
    // closed to everyone else, and not a folder of the machine.
    void programFolderKind_data()
    {
        QTest::addColumn<QString>("fixedFolder");
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("otherOwner");
        QTest::addColumn<ProgramFolder>("kind");
        QTest::newRow("own folder, closed") << QString() << 0700 << false << ProgramFolder::Own;
        QTest::newRow("own folder others may read") << QString() << 0755 << false << ProgramFolder::Own;
        QTest::newRow("folder writable by everyone") << QString() << 0777 << false << ProgramFolder::OpenToOthers;
        QTest::newRow("folder writable by its group") << QString() << 0770 << false << ProgramFolder::OpenToOthers;
        QTest::newRow("folder of another owner") << QString() << 0755 << true << ProgramFolder::Installed;
        // As root /usr/bin can be written, yet a program there is an installed one.
        QTest::newRow("program in a system folder") << QString("/usr/bin") << 0 << false << ProgramFolder::Installed;
    }
    void programFolderKind()
    {
        QFETCH(QString, fixedFolder);
        QFETCH(int, mode);
        QFETCH(bool, otherOwner);
        QTemporaryDir dir;
        QString folder = fixedFolder;
        if (folder.isEmpty()) {
            folder = dir.filePath("bin");
            QVERIFY(QDir().mkdir(folder));
            if (otherOwner) {
                if (::geteuid() != 0)
                    QSKIP("only root can give a folder to another owner");
                QCOMPARE(::chown(QFile::encodeName(folder).constData(), 65534, 65534), 0);
            }
            QCOMPARE(::chmod(QFile::encodeName(folder).constData(), mode_t(mode)), 0);
        }
        QTEST(classifyProgramFolder(folder), "kind");
    }
};

QTEST_GUILESS_MAIN(SettingsLookUpTest)
#include "tst_SettingsLookUp.moc"
