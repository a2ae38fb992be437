#include "app/AboutText.h"
#include "model/settings/ProfileFile.h"
#include "model/store/ListChanges.h"
#include "model/store/ServerSchema.h"
#include "support/CuttingProxy.h"
#include "support/FileBytes.h"
#include "support/TestProgram.h"
#include "support/ThrowawayServer.h"

#include <QDirIterator>
#include <QRegularExpression>
#include <QtTest>

#include <array>

#include <sys/stat.h>

// How a run finds its database: a file made on the first run, asked for when the settings name none
// that exists, or the office server the settings name; the run ends when none can serve.
namespace {
using Arrange = std::function<void(TestProgram&, ThrowawayServer&)>;
const QByteArray kText(2048, 'x');
// An office database as releases before the log of changes left it.
QString oneRowCounts()
{
    return "DROP TABLE ListChangeLog|" + store::earlierServerCountFunctions().value(0).replace("CREATE", "CREATE OR REPLACE");
}

const QString kPlantedTrigger = "CREATE FUNCTION Fix() RETURNS trigger LANGUAGE plpgsql AS $$ BEGIN NEW.Financed := "
                                "'1.00'; RETURN NEW; END $$|CREATE TRIGGER PlantedFix BEFORE INSERT ON Policies FOR "
                                "EACH ROW EXECUTE FUNCTION Fix()";
const QString kCountRewritten = "CREATE OR REPLACE FUNCTION CountListChange() RETURNS trigger LANGUAGE plpgsql AS $$ "
                                "BEGIN RETURN NULL; END $$";

QString iniOf(const TestProgram& program) { return chooseSettingsFiles(program.env).read; }
QMap<QString, QByteArray> filesIn(const QString& folder)
{
    QMap<QString, QByteArray> found;
    for (QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories); it.hasNext();) {
        const QString path = it.next();
        found[path] = bytesOf(path);
    }
    return found;
}
// Whether text is pattern, where * stands for any run of characters.
bool matches(const QString& text, const QString& pattern)
{
    const QString wild = QRegularExpression::escape(pattern).replace("\\*", ".*");
    return QRegularExpression(QRegularExpression::anchoredPattern(wild), QRegularExpression::DotMatchesEverythingOption)
        .match(text).hasMatch();
}
// Answers every connection as a server that is shutting down.
CuttingProxy& shuttingDown(ThrowawayServer& server)
{
    static CuttingProxy proxy(server.socketFolder());
    proxy.answerAsShuttingDown(true);
    return proxy;
}
// The settings name this database on the server (through the proxy above for the host %P); an office
// database gets the program's tables, then whatever statements are planted (separated by |).
Arrange serverNamed(const QString& host, const QString& dbname, const QString& planted = {})
{
    return [=](TestProgram& program, ThrowawayServer& server) {
        store::ServerAddress address = dbname.startsWith("office") ? server.createDatabase(dbname) : server.address(dbname);
        if (!planted.isEmpty()) {
            store::Connection connection{store::Place(address)};
            store::completeServerSchema(connection);
            for (const QString& statement : planted.split('|'))
                connection.runUnprepared(statement);
        }
        address.host = host == "%P" ? shuttingDown(server).socketFolder() : QString(host).replace("%S", server.socketFolder());
        writeFile(iniOf(program), "[file]\ndbdir=/nowhere/\n" + testdb::serverSection(store::Place(address)).toUtf8());
    };
}
// Round trips to the office server a start makes before its window shows, and after it until its
// later check (if any) is done; -1 when the start failed. Each start logs in afresh.
struct Trips {
    int toWindow = -1;
    int afterIt = -1;
};
Trips startCounting(TestProgram& desk, CuttingProxy& proxy)
{
    desk.app.reset();
    store::closeThreadConnections();
    proxy.countRoundTripsAfresh();
    desk.app =
        std::make_unique<Application>(desk.env, Services{&desk.messages, &desk.files, &desk.printers, &desk.desktop});
    if (!desk.app->start())
        return {};
    Trips trips;
    trips.toWindow = proxy.roundTrips();
    desk.app->awaitLaterCheck();
    trips.afterIt = proxy.roundTrips() - trips.toWindow;
    return desk.session().ended ? Trips{} : trips;
}
Arrange picking(const QStringList& answers)
{
    return [=](TestProgram& program, ThrowawayServer&) {
        writeFile(iniOf(program), "[file]\ndbdir=/nowhere/\n[other]\nkeep=yes\n");
        writeFile(program.dir.filePath("picked/project.mdb"), kText);
        writeFile(program.dir.filePath("good/chosen.mdb"), {});
        store::Connection(program.dir.filePath("good/chosen.mdb")).run("PRAGMA user_version = 7"); // gets the tables
        for (const QString& answer : answers)
            program.files.answers << program.dir.filePath(answer);
    };
}
} // namespace

class StartUpTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY2(m_server.started(), qPrintable(m_server.error())); }

    // A run that starts shows the main window on a database with the program's tables, says nothing,
    // and writes to the settings only a pick that serves. A run that ends says why and leaves every
    // file as it was: the database, the settings, no backup taken.
    void startUp_data()
    {
        QTest::addColumn<Arrange>("arrange");
        QTest::addColumn<int>("asked");
        QTest::addColumn<QString>("database"); // as About names it, empty when the run ends; %D the folder, %S the server
        QTest::addColumn<QStringList>("said");
        QTest::addColumn<QStringList>("written"); // section|key|value read back from the settings after a pick
        const QString notOurs = "%D/picked/project.mdb is not a QUILLON database.\nError 26: file is not a database";
        const QString refused = "The office database on %1 cannot be opened.\n*%2*\nProgram cannot continue.";
        QTest::newRow("first run, no settings") << Arrange([](TestProgram&, ThrowawayServer&) {}) << 0
                                                << "%D/data/project.mdb" << QStringList() << QStringList();
        QTest::newRow("pick asked for until one serves") << picking({"picked/typo.mdb", "picked/project.mdb", "good/chosen.mdb"})
            << 3 << "%D/good/chosen.mdb" << QStringList{notOurs}
            << QStringList{"file|dbdir|%D/good/", "file|dbname|chosen.mdb", "other|keep|yes"};
        QTest::newRow("settings kept, the file they name gone: asked for, never made afresh")
            << Arrange([](TestProgram& p, ThrowawayServer&) { writeFile(iniOf(p), "[other]\nkeep=yes\n"); }) << 1 << ""
            << QStringList{"No database found.\nProgram cannot continue."} << QStringList();
        QTest::newRow("refused pick, then the question cancelled") << picking({"picked/project.mdb"}) << 2 << ""
            << QStringList{notOurs, "No database found.\nProgram cannot continue."} << QStringList();
        QTest::newRow("configured file not a database")
            << Arrange([](TestProgram& program, ThrowawayServer&) { writeFile(program.defaultDbPath(), kText); }) << 0
            << "" << QStringList{QString(notOurs).replace("picked", "data")} << QStringList();
        QTest::newRow("settings file a pipe: said, the run goes on without it")
            << Arrange([](TestProgram& program, ThrowawayServer&) {
                   QDir().mkpath(QFileInfo(program.defaultDbPath()).absolutePath());
                   QDir().mkpath(QFileInfo(iniOf(program)).absolutePath());
                   store::createDatabase(program.defaultDbPath());
                   QCOMPARE(::mkfifo(QFile::encodeName(iniOf(program)).constData(), 0600), 0);
               }) << 0 << "%D/data/project.mdb"
            << QStringList{"The settings file %D/*/tly2.ini cannot be read: it is not a regular file.\nQUILLON goes on "
                           "with its default settings and leaves the file as it is."} << QStringList();
        QTest::newRow("empty office database made ready") << serverNamed("%S", "office") << 0 << "%S:5432/office"
                                                          << QStringList() << QStringList();
        QTest::newRow("office database of an older program gets the columns it lacks")
            << serverNamed("%S", "officeolder", "ALTER TABLE Policies DROP COLUMN Tax") << 0 << "%S:5432/officeolder"
            << QStringList() << QStringList();
        QTest::newRow("no server listening") << serverNamed("/nonexistent", "nosuch") << 0 << ""
            << QStringList{refused.arg("/nonexistent:5432/nosuch", "Error 08001: connection to server on socket")}
            << QStringList();
        QTest::newRow("server shutting down") << serverNamed("%P", "officedown") << 0 << ""
            << QStringList{"The office database on *:5432/officedown is shutting down or restarting and cannot be opened "
                           "now; try again shortly.\nError *the database system is shutting down*\nProgram cannot continue."}
            << QStringList();
        QTest::newRow("no such database") << serverNamed("%S", "nosuch") << 0 << ""
            << QStringList{refused.arg("%S:5432/nosuch", "database \"nosuch\" does not exist")} << QStringList();
        QTest::newRow("office database with another program's trigger")
            << serverNamed("%S", "officetrigger", kPlantedTrigger)
            << 0 << "" << QStringList{refused.arg("%S:5432/officetrigger", "Trigger plantedfix on policies was not made by QUILLON.")}
            << QStringList();
        QTest::newRow("office database with the program's count function rewritten")
            << serverNamed("%S", "officecount", kCountRewritten)
            << 0 << "" << QStringList{refused.arg("%S:5432/officecount", "Trigger agentcounted on agent was not made by QUILLON.")}
            << QStringList();
        QTest::newRow("office database of a release that counted changes in one row")
            << serverNamed("%S", "officeonerow", oneRowCounts()) << 0 << "%S:5432/officeonerow" << QStringList() << QStringList();
        // Row-level security hides rows from the program without a word, in force or only waiting to be.
        for (const auto& [name, dbname, planted, table] : QList<std::array<const char*, 4>>{
                 {"row-level security on the contracts", "officerls", "ALTER TABLE Policies ENABLE ROW LEVEL SECURITY", "policies"},
                 {"row-level security forced on the agents", "officeforced", "ALTER TABLE Agent FORCE ROW LEVEL SECURITY", "agent"},
                 {"a row policy on the write tokens", "officepolicy", "CREATE POLICY Hide ON WriteTokens USING (false)", "writetokens"}})
            QTest::addRow("office database with %s", name) << serverNamed("%S", dbname, planted) << 0 << ""
                << QStringList{refused.arg(QString("%S:5432/") + dbname, QString("Row-level security on %1 was not set by QUILLON.").arg(table))}
                << QStringList();
    }
    void startUp()
    {
        QFETCH(Arrange, arrange);
        QFETCH(QString, database);
        QFETCH(QStringList, said);
        QFETCH(QStringList, written);
        TestProgram program;
        const auto filled = [&](QString text) { return text.replace("%D", program.dir.path()).replace("%S", m_server.socketFolder()); };
        arrange(program, m_server);
        const QMap<QString, QByteArray> before = filesIn(program.dir.path());

        QCOMPARE(program.start(), !database.isEmpty());
        QCOMPARE(program.messages.shown.size(), said.size());
        for (qsizetype i = 0; i < said.size(); ++i) {
            QVERIFY2(matches(program.messages.shown[i].text, filled(said[i])), qPrintable(program.messages.shown[i].text));
            QCOMPARE(program.messages.shown[i].icon, ui::MessageIcon::Critical);
        }
        QTEST(int(program.files.asked.size()), "asked");
        for (const ui::OpenFileRequest& asked : program.files.asked) {
            QCOMPARE(asked.title, QString("Where is project.mdb?"));
            QCOMPARE(asked.filter, QString("Access databases (*.mdb)|*.mdb|All files (*.*)|*.*"));
            QCOMPARE(asked.initialFolder, QString("C:\\"));
        }
        for (const QString& line : written) {
            const QStringList parts = filled(line).split('|');
            QCOMPARE(profile::readString(iniOf(program), parts[0], parts[1], ""), parts[2]);
        }
        if (database.isEmpty()) {
            QVERIFY(program.session().ended && !program.main()->isVisible());
            QCOMPARE(filesIn(program.dir.path()), before);
            return;
        }
        QVERIFY(program.main()->isVisible());
        QCOMPARE(program.main()->windowTitle(), QString("TLY Finance 8.0"));
        const bool server = program.session().Server.namesServer();
        QVERIFY(aboutText(program.session()).contains("Database: " + filled(database) + (server ? "\nConnection: not encrypted\n" : "\n")));
        QCOMPARE(store::Connection(program.session().database()).database().record(server ? "policies" : "Policies").count(), 103);
        QCOMPARE(QFile::exists(program.defaultDbPath()), !server && database.endsWith("data/project.mdb"));
        if (written.isEmpty())
            QCOMPARE(filesIn(program.dir.path()).value(iniOf(program)), before.value(iniOf(program)));
    }

    // A desk that found the office database whole asks the catalog once at its next start; whatever
    // changed there since (another program's trigger or row-level security, a column dropped, the
    // program's own function rewritten) is met as at a first start.
    void laterStartMeetsTheOfficeChanged_data()
    {
        QTest::addColumn<QString>("planted");
        QTest::addColumn<QString>("said");
        QTest::newRow("unchanged") << "" << "";
        QTest::newRow("another program's trigger") << kPlantedTrigger << "Trigger plantedfix on policies was not made by QUILLON.";
        QTest::newRow("the program's own function on another table")
            << "CREATE TRIGGER PlantedCount AFTER INSERT ON Policies FOR EACH ROW EXECUTE FUNCTION CountListChange()"
            << "Trigger plantedcount on policies was not made by QUILLON.";
        QTest::newRow("row-level security") << "ALTER TABLE Policies ENABLE ROW LEVEL SECURITY"
                                            << "Row-level security on policies was not set by QUILLON.";
        QTest::newRow("a row policy") << "CREATE POLICY Hide ON Agent USING (false)"
                                      << "Row-level security on agent was not set by QUILLON.";
        QTest::newRow("the count function rewritten") << kCountRewritten
                                                      << "Trigger agentcounted on agent was not made by QUILLON.";
        QTest::newRow("a column dropped: given back") << "ALTER TABLE Policies DROP COLUMN Tax" << "";
        QTest::newRow("an index dropped: made again") << "DROP INDEX CustomerByInitial" << "";
        QTest::newRow("a column's type changed") << "ALTER TABLE Policies ALTER COLUMN Tax TYPE integer USING NULL"
                                                 << "Policies.tax is of type integer, not TEXT.";
        QTest::newRow("a default given") << "ALTER TABLE Customer ALTER COLUMN DBA SET DEFAULT 'x'"
                                         << "Customer.dba has a value of its own for rows that leave it empty.";
    }
    void laterStartMeetsTheOfficeChanged()
    {
        QFETCH(QString, planted);
        QFETCH(QString, said);
        TestProgram program;
        const QString dbname = "officelater" + QString::number(++m_offices);
        serverNamed("%S", dbname)(program, m_server);
        // The first start makes the tables, the second finds them as it left them.
        QVERIFY(program.start() && program.start());
        const store::Place office(program.session().Server);
        program.app.reset();
        store::closeThreadConnections();
        for (const QString& statement : planted.split('|', Qt::SkipEmptyParts))
            store::Connection(office).runUnprepared(statement);
        QCOMPARE(program.start(), said.isEmpty());
        QCOMPARE(program.messages.shown.size(), said.isEmpty() ? 0 : 1);
        if (!said.isEmpty()) {
            QVERIFY2(program.messages.shown[0].text.contains(said), qPrintable(program.messages.shown[0].text));
            return;
        }
        QCOMPARE(store::Connection(office).database().record("policies").count(), 103);
        QCOMPARE(testdb::firstValue(office, "SELECT count(*) FROM pg_indexes WHERE indexname = 'customerbyinitial'"), "1");
    }

    // A desk that found the office database whole leaves word of it on the server: a desk new to the
    // office then starts as one that checked it before, in as few round trips, and checks nothing after
    // its window shows; with a word that is another's it checks the whole schema once the window shows.
    void newDeskTakesTheWordOfOneThatChecked_data()
    {
        QTest::addColumn<QString>("between");
        QTest::addColumn<bool>("shortcut");
        QTest::newRow("word left by the desk that checked") << "" << true;
        QTest::newRow("word naming another catalog")
            << "COMMENT ON TABLE SchemaVersion IS 'Catalogs QUILLON found whole: " + QString(64, 'a') + "'" << false;
    }
    void newDeskTakesTheWordOfOneThatChecked()
    {
        QFETCH(QString, between);
        const QString dbname = "officedesks" + QString::number(++m_offices);
        CuttingProxy proxy(m_server.socketFolder());
        TestProgram first, second;
        serverNamed(proxy.socketFolder(), dbname)(first, m_server);
        writeFile(iniOf(second), bytesOf(iniOf(first)));
        // The first start makes the tables, the second finds them whole.
        QVERIFY(first.start() && first.start());
        const Trips checkedBefore = startCounting(first, proxy);
        if (!between.isEmpty())
            store::Connection(first.session().database()).runUnprepared(between);
        const Trips newDesk = startCounting(second, proxy);
        QVERIFY(checkedBefore.toWindow > 0);
        QVERIFY(newDesk.toWindow <= checkedBefore.toWindow);
        QCOMPARE(checkedBefore.afterIt, 0);
        QTEST(newDesk.afterIt == 0, "shortcut");
    }

    // An agent with a login of its own, which does not own the tables (the office set up as the
    // README says), finds every table there: its first start shows the window as soon as a later one
    // would and checks the schema after it; the word it may not leave on the server costs nothing.
    void agentNotOwningTheTablesStarts()
    {
        const QString dbname = "officeagents" + QString::number(++m_offices);
        CuttingProxy proxy(m_server.socketFolder());
        TestProgram ann, bob;
        serverNamed(proxy.socketFolder(), dbname)(ann, m_server);
        QVERIFY(ann.start() && ann.start());
        store::Connection owner(ann.session().database());
        owner.runUnprepared("DO $$ BEGIN CREATE ROLE bob LOGIN; EXCEPTION WHEN duplicate_object THEN NULL; END $$");
        owner.runUnprepared("GRANT ALL ON ALL TABLES IN SCHEMA public TO bob");
        owner.runUnprepared("GRANT ALL ON ALL SEQUENCES IN SCHEMA public TO bob");
        store::ServerAddress address = ann.session().Server;
        address.user = "bob";
        writeFile(iniOf(bob), "[file]\ndbdir=/nowhere/\n" + testdb::serverSection(store::Place(address)).toUtf8());
        const Trips annAgain = startCounting(ann, proxy);
        const Trips bobFirst = startCounting(bob, proxy);
        QVERIFY(bobFirst.toWindow <= annAgain.toWindow);
        QVERIFY(bobFirst.afterIt > 0);
        QCOMPARE(startCounting(bob, proxy).afterIt, 0);
        QCOMPARE(bob.messages.shown.size(), 0);
    }

    // A desk that has not found this catalog whole shows its window first and checks the schema after
    // it: a write asked for meanwhile waits for the verdict, and on a database holding another program's
    // trigger it is never done; the start's own message ends the run.
    void writeWaitsForTheServerCheck()
    {
        TestProgram program;
        serverNamed("%S", "officewait" + QString::number(++m_offices),
                    kPlantedTrigger + "|INSERT INTO Agent (Company, Name) VALUES ('Acme', 'Jo')")(program, m_server);
        program.app = std::make_unique<Application>(
            program.env, Services{&program.messages, &program.files, &program.printers, &program.desktop});
        QVERIFY(program.app->start());
        QVERIFY(program.main()->isVisible() && program.messages.shown.isEmpty());
        program.click(program.main(), "cmdDeleteAgent");
        program.app->awaitLaterCheck();
        QVERIFY(program.session().ended);
        QCOMPARE(columnOf(program.session().database(), "Agent", "Name"), QStringList{"Jo"});
        QCOMPARE(program.messages.shown.size(), 1);
        QVERIFY(program.messages.shown[0].text.contains("Trigger plantedfix on policies was not made by QUILLON."));
    }

private:
    ThrowawayServer m_server;
    int m_offices = 0;
};

QTEST_MAIN(StartUpTest)
#include "tst_StartUp.moc"
