#include "settings/ServerSettings.h"
#include "store/Connection.h"
#include "store/ServerLink.h"
#include "store/StoreError.h"

#include <QFile>
#include <QSqlDatabase>
#include <QTemporaryDir>
#include <QtTest>

class ServerSettingsTest : public QObject {
    Q_OBJECT
private slots:
    void reading_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("host");
        QTest::addColumn<QString>("service");
        QTest::addColumn<int>("port");
        QTest::addColumn<bool>("server");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("tls");
        QTest::newRow("no server section") << "[file]\ndbname=a.mdb\n" << "" << "" << 5432 << false << "service " << "";
        QTest::newRow("host and default port")
            << "[server]\nhost=db.office\ndbname=tly\nuser=ann\n" << "db.office" << "" << 5432 << true
            << "db.office:5432/tly" << "";
        QTest::newRow("own port, keys in capitals")
            << "[SERVER]\nHOST=10.0.0.5\nPort=6543\ndbname=tly\n" << "10.0.0.5" << "" << 6543 << true
            << "10.0.0.5:6543/tly" << "";
        QTest::newRow("port not a number") << "[server]\nhost=h\nport=abc\n" << "h" << "" << 5432 << true << "h:5432/" << "";
        QTest::newRow("port out of range") << "[server]\nhost=h\nport=70000\n" << "h" << "" << 5432 << true << "h:5432/" << "";
        QTest::newRow("service only") << "[server]\nservice=office\n" << "" << "office" << 5432 << true
                                      << "service office" << "";
        QTest::newRow("empty host") << "[server]\nhost=\ndbname=tly\n" << "" << "" << 5432 << false << "service " << "";
        QTest::newRow("TLS demanded with the office's own authority")
            << "[server]\nhost=h\nsslmode=verify-full\nsslrootcert=/etc/ssl/office.crt\n" << "h" << "" << 5432
            << true << "h:5432/" << "verify-full /etc/ssl/office.crt";
    }
    void reading()
    {
        QFETCH(QString, text);
        QTemporaryDir dir;
        const QString path = dir.filePath("tly2.ini");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(text.toUtf8());
        file.close();
        const ServerSettings settings = readServerSettings(path);
        QTEST(settings.host, "host");
        QTEST(settings.service, "service");
        QTEST(settings.port, "port");
        QTEST(settings.namesServer(), "server");
        QTEST(settings.displayName(), "shown");
        QTEST(QString(settings.sslmode + ' ' + settings.sslrootcert).trimmed(), "tls");
    }

    // A missing settings file is simply no server.
    void missingFile() { QVERIFY(!readServerSettings(QStringLiteral("/nonexistent/tly2.ini")).namesServer()); }

    void applying()
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("apply"));
        store::applyServerAddress({QStringLiteral("h"), QStringLiteral("svc"), 6000, QStringLiteral("tly"),
                                   QStringLiteral("ann"), QStringLiteral("require"), QStringLiteral("/c a.crt")},
                                  db);
        QCOMPARE(db.hostName(), QStringLiteral("h"));
        QCOMPARE(db.port(), 6000);
        QCOMPARE(db.databaseName(), QStringLiteral("tly"));
        QCOMPARE(db.userName(), QStringLiteral("ann"));
        // The settings' values, then the bounds on every wait.
        QCOMPARE(db.connectOptions(),
                 QStringLiteral("service='svc' sslmode='require' sslrootcert='/c a.crt' ") + store::serverWaitOptions());
        QVERIFY(db.connectOptions().contains(QStringLiteral("connect_timeout=10;keepalives=1;")));
        QCOMPARE(db.password(), QString());
    }

    // A value of the settings file is one keyword's value to libpq, whatever
    // it holds: the service named is the whole text, which no service file has.
    void serviceIsOneName_data()
    {
        QTest::addColumn<QString>("service");
        QTest::newRow("service holding another keyword") << "office sslmode=disable";
        QTest::newRow("service holding a semicolon") << "office;sslmode=disable";
        QTest::newRow("service holding quotes and a backslash") << "o'ffice\\' host=elsewhere";
    }
    void serviceIsOneName()
    {
        QFETCH(QString, service);
        QTemporaryDir dir;
        QFile empty(dir.filePath("empty.conf"));
        QVERIFY(empty.open(QIODevice::WriteOnly));
        qputenv("PGSERVICEFILE", QFile::encodeName(empty.fileName()));
        qputenv("PGSYSCONFDIR", QFile::encodeName(dir.path()));
        store::ServerAddress address;
        address.service = service;
        try {
            store::Connection connection{store::Place(address)};
            QFAIL("a service no file defines was opened");
        } catch (const store::StoreError& error) {
            QVERIFY2(error.description().contains("service \"" + service + "\" not found"),
                     qPrintable(error.description()));
        }
    }
};

QTEST_GUILESS_MAIN(ServerSettingsTest)
#include "tst_ServerSettings.moc"
