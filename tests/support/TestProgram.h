#pragma once

// A whole QUILLON run in a temporary folder, driven as a user drives it: the message boxes, the
// file dialog, the printer dialog and the desktop are recording fakes, and the clock can be the test's.

#include "app/Application.h"
#include "model/settings/Settings.h"
#include "model/store/Connection.h"
#include "model/store/PoliciesTable.h"
#include "model/store/Schema.h"
#include "support/FakePrinterDialogService.h"
#include "support/FakeServices.h"
#include "support/TestDatabase.h"
#include "windows/contract/FieldColour.h"
#include "windows/contract/LoanTermsWindow.h"
#include "windows/contract/PolicyScheduleWindow.h"
#include "windows/history/PreviousContractsWindow.h"
#include "windows/people/KeyedList.h"
#include "windows/people/MainWindow.h"

#include <QApplication>
#include <QClipboard>
#include <QDateEdit>
#include <QDir>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>
#include <limits>
#include <memory>

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
        connection.run(query);
    }
}

using testdb::columnOf;

inline QStringList linesOf(const people::KeyedList* list)
{
    QStringList lines;
    for (int i = 0; i < list->count(); ++i)
        lines << list->lineText(i);
    return lines;
}

struct TestProgram {
    TestProgram()
    {
        // Letters typed into a list make one search however slowly a busy machine delivers them.
        QApplication::setKeyboardInputInterval(std::numeric_limits<int>::max());
        QDir().mkpath(env.programFolder);
        printers.confirmEveryJob();
    }
    QString defaultDbPath() const { return env.userDataFolder + "/project.mdb"; }

    // An empty database at the default place, as a first run leaves it; on the server, a new database
    // the settings file names.
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
    // Starts the program over a new database whose tables hold these agents (Company, Name) and customers (Name, DBA).
    void startWith(const QList<QList<QVariant>>& agents, const QList<QList<QVariant>>& customers)
    {
        const store::Place place = makeDatabase();
        insertRows(place, "Agent", {"Company", "Name"}, agents);
        insertRows(place, "Customer", {"Name", "DBA"}, customers);
        if (!start())
            qFatal("start-up failed");
    }
    static std::unique_ptr<TestProgram> startedWith(const QList<QList<QVariant>>& agents,
                                                    const QList<QList<QVariant>>& customers)
    {
        auto program = std::make_unique<TestProgram>();
        program->startWith(agents, customers);
        return program;
    }
    // A run of the program's start-up, anew on each call.
    bool start()
    {
        app = std::make_unique<Application>(env, Services{&messages, &files, &printers, &desktop});
        if (now)
            app->session().now = now;
        const bool started = app->start();
        app->awaitLaterCheck();
        return started && !session().ended;
    }

    Session& session() { return app->session(); }
    const AppWindows& windows() { return app->windows(); }
    MainWindow* main() { return windows().mainWindow; }
    PolicyScheduleWindow* schedule() { return windows().schedule; }
    LoanTermsWindow* review() { return windows().loanTerms; }
    PreviousContractsWindow* previous() { return windows().previousContracts; }
    people::KeyedList* agents() { return control<people::KeyedList>(main(), "lstAgent"); }
    people::KeyedList* customers() { return control<people::KeyedList>(main(), "lstCust"); }

    // A control of the kind asked for; a missing one, or one of another kind, ends the test as failed.
    template <typename T = QLineEdit>
    T* control(QWidget* window, const QString& name)
    {
        if (T* found = window ? window->findChild<T*>(name) : nullptr)
            return found;
        qFatal("no control %s in %s", qPrintable(name), window ? qPrintable(window->objectName()) : "no window");
    }
    QLineEdit* field(const QString& name) { return control(schedule(), name); }
    void click(QWidget* window, const QString& button) { control<QAbstractButton>(window, button)->click(); }
    void type(QWidget* window, const QString& field, const QString& text) { control(window, field)->setText(text); }
    // Opens the agent or customer dialog with New or Edit; userDoes acts while it is open.
    void inPartyDialog(bool agent, const QString& verb, const std::function<void(QWidget*)>& userDoes)
    {
        QWidget* window = control<QWidget>(main(), agent ? "frmAddAgent" : "frmAddCust");
        whileOpen([&] { click(main(), "cmd" + verb + (agent ? "Agent" : "Cust")); }, [&] { userDoes(window); });
    }
    // Runs the user's part while a modal window is open: it is queued, then opening runs until the window closes.
    static void whileOpen(const std::function<void()>& open, const std::function<void()>& userDoes)
    {
        QTimer::singleShot(0, userDoes);
        open();
    }

    // Every Policies row, oldest first, as column -> text (NULL as a null QString).
    QList<QMap<QString, QString>> storedRows()
    {
        QList<QMap<QString, QString>> rows;
        store::Connection connection(session().database());
        for (QSqlQuery query = connection.run("SELECT * FROM Policies ORDER BY ID"); query.next();) {
            QMap<QString, QString>& row = rows.emplace_back();
            for (int i = 0; i < query.record().count(); ++i)
                row.insert(store::programColumnName(query.record().fieldName(i)), store::textOf(query.value(i)));
        }
        return rows;
    }

    // A window by its name, null when there is none.
    static QWidget* window(const QString& name)
    {
        for (QWidget* window : QApplication::topLevelWidgets())
            if (window->objectName() == name)
                return window;
        return nullptr;
    }
    // A control by name: "frmPreview/cmdBack" names its window, a name alone is looked for in the
    // schedule, then in the review.
    template <typename T = QWidget>
    T* named(const QString& name)
    {
        if (name.contains('/'))
            return control<T>(window(name.section('/', 0, 0)), name.section('/', 1));
        T* found = schedule()->findChild<T*>(name);
        return found ? found : control<T>(review(), name);
    }

    // Acts like a user: "set NAME text" (put in whole), "paste NAME text" (Ctrl+V over the field's
    // text; "\n" and "\t" stand for a line break and a tab), "type NAME text" (key by key), "leave NAME",
    // "away NAME" (another program chosen), "tick NAME", "click NAME", "date NAME M/d/yyyy" (picked), "next"
    // and "save" (Next >> and Save / Print), "close WINDOW", "answer yes|no" (the next question).
    void run(const QStringList& steps)
    {
        for (const QString& step : steps) {
            const QString verb = step.section(' ', 0, 0), name = step.section(' ', 1, 1), text = step.section(' ', 2);
            if (verb == "set")
                named<QLineEdit>(name)->setText(text);
            else if (verb == "paste") {
                QGuiApplication::clipboard()->setText(QString(text).replace("\\n", "\n").replace("\\t", "\t"));
                named<QLineEdit>(name)->selectAll();
                QTest::keySequence(named(name), QKeySequence::Paste);
            } else if (verb == "type") {
                named<QLineEdit>(name)->selectAll();
                QTest::keyClick(named(name), Qt::Key_Delete);
                QTest::keyClicks(named(name), text);
            } else if (verb == "leave" || verb == "away") {
                QFocusEvent out(QEvent::FocusOut, verb == "leave" ? Qt::TabFocusReason : Qt::ActiveWindowFocusReason);
                QApplication::sendEvent(named(name), &out);
            } else if (verb == "date")
                named<QDateEdit>(name)->setDate(QDate::fromString(text, "M/d/yyyy"));
            else if (verb == "tick")
                named<QAbstractButton>(name)->setChecked(true);
            else if (verb == "click")
                QTest::mouseClick(named(name), Qt::LeftButton, {}, QPoint(5, named(name)->height() / 2));
            else if (verb == "next" || verb == "save")
                QTest::mouseClick(named(verb == "next" ? "frmPolicies1/cmdNext" : "frmPreview/cmdPrint"), Qt::LeftButton);
            else if (verb == "close" && window(name))
                window(name)->close();
            else if (verb == "answer")
                messages.answers << (name == "yes");
            else
                qFatal("no such step: %s", qPrintable(step));
        }
    }

    // What a test sees: a control's text (a date as M/d/yyyy, a box checked/unchecked),
    // "NAME.colour", "yellow" (the schedule's yellow fields), a window shown/hidden, "message" (the
    // last box, marked unless an error box under the program's title), "messages", "ended", "rows"
    // and "rowN.Column" (NULL), "jobs" (notes printed), "previews" (notes previewed).
    QString valueOf(const QString& name)
    {
        if (name == "rows" || name == "jobs" || name == "messages" || name == "previews")
            return QString::number(name == "rows"       ? storedRows().size()
                                   : name == "jobs"     ? printers.jobs.size()
                                   : name == "previews" ? printers.previews
                                                        : messages.shown.size());
        if (name.startsWith("row")) {
            const QString value = storedRows().value(name.mid(3).section('.', 0, 0).toInt() - 1).value(name.section('.', 1));
            return value.isNull() ? QStringLiteral("NULL") : value;
        }
        if (name == "ended")
            return session().ended ? "yes" : "no";
        if (name == "message") {
            const auto box = messages.shown.value(messages.shown.size() - 1, {{}, ui::MessageIcon::Critical, "QUILLON", {}});
            return box.text + (box.icon == ui::MessageIcon::Critical && box.title == "QUILLON" ? "" : " (not an error)");
        }
        if (name == "yellow") {
            QStringList yellow;
            for (QLineEdit* field : schedule()->findChildren<QLineEdit*>())
                if (fieldcolour::of(field) == fieldcolour::kInvalid)
                    yellow << field->objectName();
            yellow.sort();
            return yellow.join(' ');
        }
        if (QWidget* w = window(name))
            return w->isVisible() ? "shown" : "hidden";
        if (name.endsWith(".colour"))
            return fieldcolour::of(named<QLineEdit>(name.chopped(7))) == fieldcolour::kInvalid ? "yellow" : "white";
        QWidget* widget = named(name);
        if (auto* label = qobject_cast<QLabel*>(widget))
            return label->text();
        if (auto* line = qobject_cast<QLineEdit*>(widget))
            return line->text();
        if (auto* date = qobject_cast<QDateEdit*>(widget))
            return date->date().toString("M/d/yyyy");
        auto* button = qobject_cast<QAbstractButton*>(widget);
        if (!button)
            qFatal("cannot read %s", qPrintable(name));
        return button->isCheckable() ? (button->isChecked() ? "checked" : "unchecked") : button->text();
    }
    // Each "NAME=expected" entry, with what is actually seen in place of the expected value.
    QStringList seen(const QStringList& expected)
    {
        QStringList actual;
        for (const QString& entry : expected)
            actual << entry.section('=', 0, 0) + '=' + valueOf(entry.section('=', 0, 0));
        return actual;
    }

    // Data rows of user steps and of what is then seen ("NAME=value"), each list "; "-separated.
    static void addColumns()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QStringList>("expected");
    }
    static void addRow(const char* name, const QString& steps, const QString& expected)
    {
        QTest::newRow(name) << steps.split("; ", Qt::SkipEmptyParts) << expected.split("; ");
    }
    void checkRow()
    {
        QFETCH(QStringList, steps);
        QFETCH(QStringList, expected);
        run(steps);
        QCOMPARE(seen(expected), expected);
    }

    QTemporaryDir dir;
    Environment env{dir.filePath("program"), dir.filePath("config"), dir.filePath("data")};
    FakeMessageBoxService messages;
    FakeFileDialogService files;
    FakePrinterDialogService printers;
    FakeDesktopService desktop;
    std::unique_ptr<Application> app;
    // The clock of the run, when a test needs its own.
    std::function<QDateTime()> now;
    QDateTime clock{QDate(2025, 3, 14), QTime(10, 30, 5)};
};

// A new contract of Ann Agent (Agency Co) for Carl Customer (Carl's Hauling) on the test's clock: the
// program started with them as its only agent and customer, and the main window's Next >> pressed.
// Ending the program is recorded, not done, so a test sees the windows as the end found them.
struct NewContract : TestProgram {
    NewContract()
    {
        now = [this] { return clock; };
        startWith({{"Agency Co", "Ann Agent"}}, {{"Carl Customer", "Carl's Hauling"}});
        session().quit = [] {};
        click(main(), "cmdNext");
    }
};
