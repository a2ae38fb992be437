#include "app/DatabaseLocation.h"

#include <QtTest>

using Stored = std::optional<QString>;
Q_DECLARE_METATYPE(PathStyle)

namespace {
const QString kData = "/home/ann/.local/share/QUILLON";
}

class DatabaseLocationTest : public QObject {
    Q_OBJECT
private slots:
    void readsSettings_data();
    void readsSettings();
    void splitsChosenPath_data();
    void splitsChosenPath();
    void chosenPathSurvivesTheRoundTrip_data();
    void chosenPathSurvivesTheRoundTrip();
    void settingsFileSitsInTheFolder_data();
    void settingsFileSitsInTheFolder();
};

void DatabaseLocationTest::readsSettings_data()
{
    QTest::addColumn<PathStyle>("style");
    QTest::addColumn<Stored>("dbdrive");
    QTest::addColumn<Stored>("dbdir");
    QTest::addColumn<Stored>("dbname");
    QTest::addColumn<QString>("path");

    const auto win = PathStyle::Windows;
    const auto posix = PathStyle::Posix;
    QTest::newRow("windows, no settings file") << win << Stored() << Stored() << Stored() << "c:\\project.mdb";
    QTest::newRow("windows, all three keys")
        << win << Stored("C:") << Stored("\\Data\\") << Stored("project.mdb") << "C:\\Data\\project.mdb";
    QTest::newRow("windows, folder without backslashes")
        << win << Stored() << Stored("Data") << Stored() << "c:Data\\project.mdb";
    QTest::newRow("windows, empty drive key is not the default")
        << win << Stored("") << Stored("\\Files\\") << Stored("loans.mdb") << "\\Files\\loans.mdb";
    QTest::newRow("windows, network share")
        << win << Stored("\\\\") << Stored("server\\share\\") << Stored("project.mdb")
        << "\\\\server\\share\\project.mdb";
    QTest::newRow("posix, no settings file") << posix << Stored() << Stored() << Stored()
                                             << kData + "/project.mdb";
    QTest::newRow("posix, folder without final slash")
        << posix << Stored("") << Stored("/srv/loans") << Stored("a.mdb") << "/srv/loans/a.mdb";
    QTest::newRow("posix, empty folder key is the root")
        << posix << Stored("") << Stored("") << Stored("a.mdb") << "/a.mdb";
    QTest::newRow("posix, missing name") << posix << Stored("") << Stored("/srv/") << Stored()
                                         << "/srv/project.mdb";
}

void DatabaseLocationTest::readsSettings()
{
    QFETCH(PathStyle, style);
    QFETCH(Stored, dbdrive);
    QFETCH(Stored, dbdir);
    QFETCH(Stored, dbname);
    QFETCH(QString, path);
    const DatabaseLocation location = locationFromSettings({dbdrive, dbdir, dbname}, style, kData);
    QCOMPARE(location.path(), path);
    QVERIFY(location.dir.endsWith(pathSeparator(style)));
}

void DatabaseLocationTest::splitsChosenPath_data()
{
    QTest::addColumn<PathStyle>("style");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("drive");
    QTest::addColumn<QString>("dir");
    QTest::addColumn<QString>("name");

    const auto win = PathStyle::Windows;
    const auto posix = PathStyle::Posix;
    QTest::newRow("windows, file in a folder") << win << "D:\\Files\\loans.mdb" << "D:" << "\\Files\\" << "loans.mdb";
    QTest::newRow("windows, drive root") << win << "D:\\project.mdb" << "D:" << "\\" << "project.mdb";
    QTest::newRow("windows, network share")
        << win << "\\\\server\\share\\project.mdb" << "\\\\" << "server\\share\\" << "project.mdb";
    QTest::newRow("windows, deep folder")
        << win << "C:\\a\\b c\\d\\x.mdb" << "C:" << "\\a\\b c\\d\\" << "x.mdb";
    QTest::newRow("posix, file in a folder") << posix << "/srv/files/loans.mdb" << "" << "/srv/files/" << "loans.mdb";
    QTest::newRow("posix, root") << posix << "/project.mdb" << "" << "/" << "project.mdb";
    QTest::newRow("posix, backslash is part of a name")
        << posix << "/srv/odd\\name.mdb" << "" << "/srv/" << "odd\\name.mdb";
}

void DatabaseLocationTest::splitsChosenPath()
{
    QFETCH(PathStyle, style);
    QFETCH(QString, path);
    QFETCH(QString, drive);
    QFETCH(QString, dir);
    QFETCH(QString, name);
    const DatabaseLocation location = locationFromPath(path, style);
    QCOMPARE(location.drive, drive);
    QCOMPARE(location.dir, dir);
    QCOMPARE(location.name, name);
}

void DatabaseLocationTest::chosenPathSurvivesTheRoundTrip_data()
{
    splitsChosenPath_data();
}

void DatabaseLocationTest::chosenPathSurvivesTheRoundTrip()
{
    // What is written after a pick must name the same file on the next start.
    QFETCH(PathStyle, style);
    QFETCH(QString, path);
    const DatabaseLocation written = locationFromPath(path, style);
    const DatabaseLocation read =
        locationFromSettings({written.drive, written.dir, written.name}, style, kData);
    QCOMPARE(read.path(), path);
}

void DatabaseLocationTest::settingsFileSitsInTheFolder_data()
{
    QTest::addColumn<PathStyle>("style");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("iniPath");
    QTest::newRow("windows, program folder") << PathStyle::Windows << "C:\\TLY" << "C:\\TLY\\tly2.ini";
    QTest::newRow("windows, drive root") << PathStyle::Windows << "C:\\" << "C:\\tly2.ini";
    QTest::newRow("posix, program folder") << PathStyle::Posix << "/opt/quillon" << "/opt/quillon/tly2.ini";
    QTest::newRow("posix, folder ending in slash") << PathStyle::Posix << "/opt/q/" << "/opt/q/tly2.ini";
}

void DatabaseLocationTest::settingsFileSitsInTheFolder()
{
    QFETCH(PathStyle, style);
    QFETCH(QString, folder);
    QFETCH(QString, iniPath);
    QCOMPARE(settingsFilePath(folder, style), iniPath);
}

QTEST_GUILESS_MAIN(DatabaseLocationTest)
#include "tst_DatabaseLocation.moc"
