#include "model/settings/ServerSettings.h"
#include "model/store/Connection.h"
#include "model/store/ServerLink.h"
#include "model/store/StoreError.h"
#include "support/FileBytes.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class ServerSettingsTest : public QObject {
    Q_OBJECT
private slots:
    // A missing settings file, or one without a server section or host, is no server.
    void reading_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("server");
        QTest::addColumn<QString>("shown");
        // What reaches libpq beside host, port, dbname and user.
        QTest::addColumn<QString>("options");
        QTest::newRow("no file") << QString() << false << "service " << "";
        QTest::newRow("no server section") << "[file]\ndbname=a.mdb\n" << false << "service " << "";
        QTest::newRow("empty host") << "[server]\nhost=\ndbname=tly\n" << false << "service " << "";
        QTest::newRow("host and default port") << "[server]\nhost=db.office\ndbname=tly\nuser=ann\n" << true
                                               << "db.office:5432/tly" << "";
        QTest::newRow("own port, keys in capitals") << "[SERVER]\nHOST=10.0.0.5\nPort=6543\ndbname=tly\n" << true
                                                    << "10.0.0.5:6543/tly" << "";
        QTest::newRow("port out of range") << "[server]\nhost=h\nport=70000\n" << true << "h:5432/" << "";
        QTest::newRow("service only") << "[server]\nservice=office\n" << true << "service office" << "service='office'";
        QTest::newRow("TLS demanded with the office's own authority")
            << "[server]\nhost=h\nsslmode=verify-full\nsslrootcert=/etc/ssl/office.crt\n" << true << "h:5432/"
            << "sslmode='verify-full' sslrootcert='/etc/ssl/office.crt'";
        QTest::newRow("two hosts, one port") << "[server]\nhost=pc,nas\ndbname=tly\n" << true << "pc:5432,nas:5432/tly"
                                             << "target_session_attrs='read-write'";
        QTest::newRow("two hosts, a port each, any of them")
            << "[server]\nhost=pc,nas\nport=5432, 5433\ntarget_session_attrs=any\n" << true << "pc:5432,nas:5433/"
            << "port='5432,5433' target_session_attrs='any'";
        QTest::newRow("a list of ports with a word in it") << "[server]\nhost=pc,nas\nport=5432,x\n" << true
                                                            << "pc:5432,nas:5432/" << "target_session_attrs='read-write'";
    }
    void reading()
    {
        QFETCH(QString, text);
        QTemporaryDir dir;
        if (!text.isNull())
            writeFile(dir.filePath("tly2.ini"), text.toUtf8());
        const ServerSettings settings = readServerSettings(dir.filePath("tly2.ini"));
        QTEST(settings.namesServer(), "server");
        QTEST(settings.displayName(), "shown");
        QTEST(store::connectionOptions(settings), "options");
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
