#include "app/AboutText.h"
#include "people/TestProgram.h"
#include "support/ThrowawayServer.h"

#include <QFile>
#include <QtTest>

namespace {

void writeIni(TestProgram& program, const QString& section)
{
    const QString path = chooseSettingsFiles(program.env).read;
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile ini(path);
    if (!ini.open(QIODevice::WriteOnly) || ini.write(section.toUtf8()) != section.toUtf8().size())
        qFatal("cannot write %s", qPrintable(path));
}

QString sectionFor(const store::ServerAddress& address)
{
    return QStringLiteral("[file]\ndbdir=/nowhere/\n[server]\nhost=%1\nport=%2\ndbname=%3\nuser=%4\n")
        .arg(address.host)
        .arg(address.port)
        .arg(address.dbname, address.user);
}

} // namespace

// The program pointed at the office server by its settings file.
class ServerStartUpTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY2(m_server.started(), qPrintable(m_server.error())); }

    // A new empty database is made ready at the first start: no file is looked for, nothing is asked,
    // and About names the server and the plain connection.
    void emptyDatabaseIsMadeReady()
    {
        TestProgram program;
        writeIni(program, sectionFor(m_server.createDatabase(QStringLiteral("office"))));
        QVERIFY(program.start());
        QVERIFY(program.messages.shown.isEmpty() && program.files.asked.isEmpty());
        QVERIFY(program.main()->isVisible());
        QVERIFY(!QFile::exists(program.defaultDbPath()));
        QVERIFY(aboutText(program.session()).contains(
            QStringLiteral("Database: %1:5432/office\nConnection: not encrypted\n").arg(m_server.socketFolder())));
    }

    // A server that is not there, a database that is not there, a login the
    // server refuses: the server and its own words, then the program ends.
    void unusableServerEndsTheRun_data()
    {
        QTest::addColumn<QString>("host");
        QTest::addColumn<QString>("dbname");
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("serverSays");
        QTest::newRow("nothing listens") << "/nonexistent" << "office" << m_server.user()
                                         << "Error 08001: connection to server on socket";
        QTest::newRow("no such database") << m_server.socketFolder() << "nosuch" << m_server.user()
                                          << "database \"nosuch\" does not exist";
        QTest::newRow("unknown login") << m_server.socketFolder() << "postgres" << "nobody"
                                       << "role \"nobody\" does not exist";
    }
    void unusableServerEndsTheRun()
    {
        QFETCH(QString, host);
        QFETCH(QString, dbname);
        QFETCH(QString, user);
        QFETCH(QString, serverSays);
        store::ServerAddress address;
        address.host = host;
        address.dbname = dbname;
        address.user = user;
        TestProgram program;
        writeIni(program, sectionFor(address));
        QVERIFY(!program.start() && program.session().ended);
        QCOMPARE(program.messages.shown.size(), 1);
        const auto& shown = program.messages.shown.first();
        const QString start = QStringLiteral("The office database on %1:5432/%2 cannot be opened.\n").arg(host, dbname);
        QVERIFY2(shown.text.startsWith(start) && shown.text.contains(serverSays)
                     && shown.text.endsWith("\nProgram cannot continue.") && !shown.text.contains(QLatin1Char('\t')),
                 qPrintable(shown.text));
        QCOMPARE(shown.icon, ui::MessageIcon::Critical);
        QVERIFY(program.files.asked.isEmpty() && !QFile::exists(program.defaultDbPath()));
    }

private:
    ThrowawayServer m_server;
};

QTEST_MAIN(ServerStartUpTest)
#include "tst_ServerStartUp.moc"
