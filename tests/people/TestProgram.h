#pragma once

// A whole QUILLON run in a temporary folder, with recording fakes for the
// message boxes and the file dialog, for tests that drive the real windows.

#include "app/Application.h"
#include "people/MainWindow.h"
#include "store/Connection.h"
#include "store/Schema.h"
#include "support/FakeServices.h"

#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QTimer>
#include <QVariant>

#include <functional>
#include <memory>

class TestProgram {
public:
    TestProgram()
    {
        env.programFolder = dir.filePath("program");
        env.userConfigFolder = dir.filePath("config");
        env.userDataFolder = dir.filePath("data");
        env.pathStyle = PathStyle::Posix;
        QDir().mkpath(env.programFolder);
    }

    // The database a first run creates.
    QString defaultDbPath() const { return env.userDataFolder + "/project.mdb"; }

    // An empty database at the default place, as a first run leaves it.
    QString makeDatabase()
    {
        QDir().mkpath(env.userDataFolder);
        store::createDatabase(defaultDbPath());
        return defaultDbPath();
    }

    bool start()
    {
        app = std::make_unique<Application>(env, Services{&messages, &files, nullptr});
        return app->start();
    }

    Session& session() { return app->session(); }
    MainWindow* main() { return app->windows().frmAgent; }

    template <typename T = QWidget>
    T* control(QWidget* window, const char* name)
    {
        T* found = window->findChild<T*>(name);
        if (!found)
            qFatal("no control %s in %s", name, qPrintable(window->objectName()));
        return found;
    }
    QListWidget* agents() { return control<QListWidget>(main(), "lstAgent"); }
    QListWidget* customers() { return control<QListWidget>(main(), "lstCust"); }
    void click(QWidget* window, const char* button) { control<QPushButton>(window, button)->click(); }

    // Runs the user's part while a modal window is open: the action is queued
    // and then opening runs until the window closes.
    static void whileOpen(const std::function<void()>& open, const std::function<void()>& userDoes)
    {
        QTimer::singleShot(0, userDoes);
        open();
    }

    QTemporaryDir dir;
    Environment env;
    FakeMessageBoxService messages;
    FakeFileDialogService files;
    std::unique_ptr<Application> app;
};

// Rows written straight into a table; an invalid QVariant stores NULL.
inline void insertRows(const QString& dbPath, const QString& table, const QStringList& columns,
                       const QList<QList<QVariant>>& rows)
{
    store::Connection connection(dbPath);
    QStringList marks;
    for (qsizetype i = 0; i < columns.size(); ++i)
        marks << "?";
    for (const QList<QVariant>& row : rows) {
        QSqlQuery query = connection.prepare(
            QString("INSERT INTO %1 (%2) VALUES (%3)").arg(table, columns.join(", "), marks.join(", ")));
        for (qsizetype i = 0; i < row.size(); ++i)
            query.bindValue(static_cast<int>(i), row[i].isValid() ? row[i] : QVariant(QMetaType::fromType<QString>()));
        connection.exec(query);
    }
}

// One column of every row, in key order; NULL shows as "<null>".
inline QStringList columnOf(const QString& dbPath, const QString& table, const QString& column)
{
    store::Connection connection(dbPath);
    QSqlQuery query = connection.run(QString("SELECT %1 FROM %2 ORDER BY RowKey").arg(column, table));
    QStringList values;
    while (query.next())
        values << (query.value(0).isNull() ? QString("<null>") : query.value(0).toString());
    return values;
}

inline QStringList linesOf(const QListWidget* list)
{
    QStringList lines;
    for (int i = 0; i < list->count(); ++i)
        lines << list->item(i)->text();
    return lines;
}
