#include "app/AboutText.h"
#include "people/TestProgram.h"
#include "store/ServerLink.h"
#include "store/ServerSchema.h"
#include "support/ThrowawayServer.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QtTest>

#include <csignal>
#include <memory>

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
    return QStringLiteral("[file]\ndbdir=/nowhere/\n[server]\nhost=%1\nport=%2\ndbname=%3\nuser=%4\nsslmode=%5\n"
                          "sslrootcert=%6\n")
        .arg(address.host)
        .arg(address.port)
        .arg(address.dbname, address.user, address.sslmode, address.sslrootcert);
}

bool openssl(const QString& folder, const QString& arguments)
{
    QProcess process;
    process.setWorkingDirectory(folder);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(QStringLiteral("openssl"), QProcess::splitCommand(arguments));
    const bool done = process.waitForFinished(60000) && process.exitCode() == 0;
    if (!done)
        qWarning("openssl %s: %s", qPrintable(arguments), process.readAll().constData());
    return done;
}

// An office authority and a server certificate it signed for other.example
// and 127.0.0.1, but not for localhost.
bool makeCertificates(const QString& folder)
{
    QFile names(folder + QStringLiteral("/names.cnf"));
    if (!names.open(QIODevice::WriteOnly) || names.write("subjectAltName=DNS:other.example,IP:127.0.0.1\n") < 0)
        return false;
    names.close();
    const QString key = QStringLiteral("-newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes");
    return openssl(folder, QStringLiteral("req -x509 %1 -keyout ca.key -out ca.crt -days 2 -subj /CN=office-ca").arg(key)) &&
           openssl(folder, QStringLiteral("req %1 -keyout server.key -out server.csr -subj /CN=other.example").arg(key)) &&
           openssl(folder, QStringLiteral("x509 -req -in server.csr -CA ca.crt -CAkey ca.key -CAcreateserial "
                                          "-out server.crt -days 2 -extfile names.cnf"));
}

} // namespace

// The program pointed at the office server by its settings file.
class ServerStartUpTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY2(m_server.started(), qPrintable(m_server.error())); }

    // A new empty database gets the schema at the first start; no file is
    // looked for and nothing is asked; a second program finds it ready.
    void emptyDatabaseIsMadeReady()
    {
        const store::ServerAddress address = m_server.createDatabase(QStringLiteral("office"));
        for (int run = 0; run < 2; ++run) {
            TestProgram program;
            writeIni(program, sectionFor(address));
            QVERIFY(program.start());
            QVERIFY(program.messages.shown.isEmpty() && program.files.asked.isEmpty());
            QVERIFY(program.main()->isVisible());
            QCOMPARE(program.agents()->count() + program.customers()->count(), 0);
            QVERIFY(!QFile::exists(program.defaultDbPath()));
        }
        store::Connection connection{store::Place(address)};
        QVERIFY(store::serverHasSchema(connection));
    }

    // A server that is not there, a database that is not there, a login the
    // server refuses: the server and its own words, then the program ends.
    void unusableServerEndsTheRun_data()
    {
        QTest::addColumn<QString>("host");
        QTest::addColumn<QString>("dbname");
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("serverSays");
        QTest::addColumn<bool>("frozen");
        QTest::newRow("nothing listens") << "/nonexistent" << "office" << m_server.user()
                                         << "Error 08001: connection to server on socket" << false;
        QTest::newRow("no such database") << m_server.socketFolder() << "nosuch" << m_server.user()
                                          << "database \"nosuch\" does not exist" << false;
        QTest::newRow("unknown login") << m_server.socketFolder() << "postgres" << "nobody"
                                       << "role \"nobody\" does not exist" << false;
        // Its process stopped: the login is given up after the connect timeout (2 s here).
        QTest::newRow("server frozen") << m_server.socketFolder() << "postgres" << m_server.user()
                                       << "timeout expired" << true;
    }
    void unusableServerEndsTheRun()
    {
        QFETCH(QString, host);
        QFETCH(QString, dbname);
        QFETCH(QString, user);
        QFETCH(QString, serverSays);
        QFETCH(bool, frozen);
        store::ServerAddress address;
        address.host = host;
        address.dbname = dbname;
        address.user = user;
        TestProgram program;
        writeIni(program, sectionFor(address));
        if (frozen) {
            store::setServerWaits({2, 1, 1});
            QCOMPARE(::kill(pid_t(m_server.postmasterPid()), SIGSTOP), 0);
        }
        QElapsedTimer waited;
        waited.start();
        const bool started = program.start();
        if (frozen) {
            ::kill(pid_t(m_server.postmasterPid()), SIGCONT);
            store::setServerWaits({});
        }
        QVERIFY2(waited.elapsed() < 5000, qPrintable(QString::number(waited.elapsed())));
        QVERIFY(!started);
        QVERIFY(program.session().ended);
        QCOMPARE(program.messages.shown.size(), 1);
        const auto& shown = program.messages.shown.first();
        const QString start = QStringLiteral("The office database on %1:5432/%2 cannot be opened.\n").arg(host, dbname);
        QVERIFY2(shown.text.startsWith(start) && shown.text.contains(serverSays)
                     && shown.text.endsWith("\nProgram cannot continue.") && !shown.text.contains(QLatin1Char('\t')),
                 qPrintable(shown.text));
        QCOMPARE(shown.icon, ui::MessageIcon::Critical);
        QCOMPARE(shown.title, QString("QUILLON"));
        QVERIFY(program.files.asked.isEmpty());
        QVERIFY(!QFile::exists(program.defaultDbPath()));
    }

    // TLS as the settings ask for it: a certificate for another name is refused
    // when the name is checked, any certificate does when only encryption is
    // asked, and a server without TLS is refused when encryption is asked.
    void tlsAsTheSettingsAsk_data()
    {
        QTest::addColumn<bool>("tls");
        QTest::addColumn<QString>("host");
        QTest::addColumn<QString>("sslmode");
        QTest::addColumn<QString>("serverSays");
        QTest::addColumn<QString>("connection");
        QTest::newRow("certificate for another name, name checked")
            << true << "localhost" << "verify-full"
            << "server certificate for \"other.example\" (and 1 other name) does not match host name \"localhost\""
            << "";
        QTest::newRow("certificate for another name, encryption only")
            << true << "localhost" << "require" << "" << "Connection: encrypted (TLSv1.3)";
        QTest::newRow("certificate for the name, name checked")
            << true << "127.0.0.1" << "verify-full" << "" << "Connection: encrypted (TLSv1.3)";
        QTest::newRow("server without TLS, encryption asked")
            << false << "localhost" << "require" << "server does not support SSL, but SSL was required" << "";
        QTest::newRow("server without TLS, nothing asked")
            << false << "localhost" << "" << "" << "Connection: not encrypted";
    }
    void tlsAsTheSettingsAsk()
    {
        QFETCH(bool, tls);
        QFETCH(QString, host);
        QFETCH(QString, sslmode);
        QFETCH(QString, serverSays);
        if (!m_tls) {
            QVERIFY(makeCertificates(m_certificates.path()));
            m_tls = std::make_unique<ThrowawayServer>(ThrowawayServer::Tcp{
                m_certificates.filePath("server.crt"), m_certificates.filePath("server.key")});
            m_plain = std::make_unique<ThrowawayServer>(ThrowawayServer::Tcp{});
        }
        ThrowawayServer& server = tls ? *m_tls : *m_plain;
        QVERIFY2(server.started(), qPrintable(server.error()));
        store::ServerAddress address = server.createDatabase(QStringLiteral("office"));
        if (address.dbname.isEmpty())
            address = server.address(QStringLiteral("office"));
        address.host = host;
        address.sslmode = sslmode;
        if (sslmode == "verify-full")
            address.sslrootcert = m_certificates.filePath("ca.crt");
        TestProgram program;
        writeIni(program, sectionFor(address));
        const bool started = program.start();
        if (serverSays.isEmpty()) {
            QVERIFY2(started, qPrintable(program.messages.shown.value(0).text));
            QVERIFY(aboutText(program.session()).contains(QStringLiteral("Database: %1:%2/office\n")
                                                               .arg(host)
                                                               .arg(server.port())));
            QTEST(aboutText(program.session()).section('\n', 4, 4), "connection");
            return;
        }
        QVERIFY(!started && program.session().ended);
        QCOMPARE(program.messages.shown.size(), 1);
        const auto& shown = program.messages.shown.first();
        QVERIFY2(shown.text.contains(serverSays), qPrintable(shown.text));
        QCOMPARE(shown.title, QString("QUILLON"));
    }

private:
    ThrowawayServer m_server;
    QTemporaryDir m_certificates;
    std::unique_ptr<ThrowawayServer> m_tls;
    std::unique_ptr<ThrowawayServer> m_plain;
};

QTEST_MAIN(ServerStartUpTest)
#include "tst_ServerStartUp.moc"
