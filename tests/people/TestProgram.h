#pragma once

// A whole QUILLON run in a temporary folder, with recording fakes for the message boxes and the file dialog.

#include "app/Application.h"
#include "settings/Settings.h"
#include "people/KeyedList.h"
#include "people/MainWindow.h"
#include "store/Connection.h"
#include "store/Schema.h"
#include "support/FakeServices.h"
#include "support/TestDatabase.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <functional>
#include <memory>

struct TestProgram {
    TestProgram() { QDir().mkpath(env.programFolder); }
    QString defaultDbPath() const { return env.userDataFolder + "/project.mdb"; }
    // An empty database at the default place, as a first run leaves it; on
    // the server, a new database the settings file names.
    store::Place makeDatabase()
    {
        QDir().mkpath(env.userDataFolder);
        const store::Place place = testdb::freshDatabase(defaultDbPath());
        if (place.isServer()) {
            QFile ini(chooseSettingsFiles(env).read);
            QDir().mkpath(QFileInfo(ini).absolutePath());
            if (!ini.open(QIODevice::Append | QIODevice::Text))
                qFatal("cannot write %s", qPrintable(ini.fileName()));
            ini.write(testdb::serverSection(place).toUtf8());
        }
        return place;
    }
    // A started program whose tables hold these agents (Company, Name) and customers (Name, DBA).
    static std::unique_ptr<TestProgram> startedWith(const QList<QList<QVariant>>& agents,
                                                    const QList<QList<QVariant>>& customers);
    bool start()
    {
        app = std::make_unique<Application>(env, Services{&messages, &files, nullptr});
        if (now)
            app->session().now = now;
        const bool started = app->start();
        app->awaitLaterCheck();
        return started && !session().ended;
    }
    Session& session() { return app->session(); }
    MainWindow* main() { return app->windows().frmAgent; }
    template <typename T = QWidget>
    T* control(QWidget* window, const char* name)
    {
        if (T* found = window->findChild<T*>(name))
            return found;
        qFatal("no control %s in %s", name, qPrintable(window->objectName()));
    }
    people::KeyedList* agents() { return control<people::KeyedList>(main(), "lstAgent"); }
    people::KeyedList* customers() { return control<people::KeyedList>(main(), "lstCust"); }
    void click(QWidget* window, const char* button) { control<QPushButton>(window, button)->click(); }
    void type(QWidget* window, const char* field, const QString& text) { control<QLineEdit>(window, field)->setText(text); }
    // Opens the agent or customer dialog with New or Edit; userDoes acts while it is open.
    void inPartyDialog(bool agent, const QString& verb, const std::function<void(QWidget*)>& userDoes)
    {
        QWidget* window = control(main(), agent ? "frmAddAgent" : "frmAddCust");
        whileOpen([&] { click(main(), qPrintable("cmd" + verb + (agent ? "Agent" : "Cust"))); }, [&] { userDoes(window); });
    }
    // Runs the user's part while a modal window is open: it is queued, then opening runs until the window closes.
    static void whileOpen(const std::function<void()>& open, const std::function<void()>& userDoes)
    {
        QTimer::singleShot(0, userDoes);
        open();
    }

    QTemporaryDir dir;
    Environment env{dir.filePath("program"), dir.filePath("config"), dir.filePath("data")};
    FakeMessageBoxService messages;
    FakeFileDialogService files;
    std::unique_ptr<Application> app;
    // The clock of the run, when a test needs its own.
    std::function<QDateTime()> now;
};

// Rows written straight into a table; an invalid QVariant stores NULL.
inline void insertRows(const store::Place& dbPath, const QString& table, const QStringList& columns,
                       const QList<QList<QVariant>>& rows)
{
    store::Connection connection(dbPath);
    const QString sql = QString("INSERT INTO %1 (%2) VALUES (%3)")
                            .arg(table, columns.join(", "), QStringList(columns.size(), "?").join(", "));
    for (const QList<QVariant>& row : rows) {
        QSqlQuery query = connection.prepare(sql);
        for (int i = 0; i < row.size(); ++i)
            query.bindValue(i, row[i].isValid() ? row[i] : store::nullIfEmpty(""));
        connection.exec(query);
    }
}

// One column of every row, in key order; NULL shows as "<null>".
inline QStringList columnOf(const store::Place& dbPath, const QString& table, const QString& column)
{
    store::Connection connection(dbPath);
    QSqlQuery query = connection.run(QString("SELECT %1 FROM %2 ORDER BY RowKey").arg(column, table));
    QStringList values;
    while (query.next())
        values << (query.value(0).isNull() ? QString("<null>") : query.value(0).toString());
    return values;
}

inline QStringList linesOf(const people::KeyedList* list)
{
    QStringList lines;
    for (int i = 0; i < list->count(); ++i)
        lines << list->lineText(i);
    return lines;
}

inline std::unique_ptr<TestProgram> TestProgram::startedWith(const QList<QList<QVariant>>& agents,
                                                             const QList<QList<QVariant>>& customers)
{
    auto program = std::make_unique<TestProgram>();
    const store::Place db = program->makeDatabase();
    insertRows(db, "Agent", {"Company", "Name"}, agents);
    insertRows(db, "Customer", {"Name", "DBA"}, customers);
    if (!program->start())
        qFatal("start-up failed");
    return program;
}
