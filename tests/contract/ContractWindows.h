#pragma once

#include "app/Application.h"
#include "contract/FieldColour.h"
#include "contract/LoanTermsWindow.h"
#include "contract/PolicyScheduleWindow.h"
#include "history/PreviousContractsWindow.h"
#include "people/MainWindow.h"
#include "store/Connection.h"
#include "store/PoliciesTable.h"
#include "store/Schema.h"
#include "support/FakePrinterDialogService.h"
#include "support/FakeServices.h"
#include "support/TestDatabase.h"

#include <QApplication>
#include <QCheckBox>
#include <QDateEdit>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

// The program as the application wires it, over a fresh database file, with
// message boxes recorded, a printer that prints, and a clock the test sets; the
// policy schedule is on screen, as after Next >> in the main window.
struct ContractWindows {
    QTemporaryDir dir;
    FakeMessageBoxService messages;
    FakeFileDialogService files;
    FakePrinterDialogService printers;
    FakeDesktopService desktop;
    std::unique_ptr<Application> app = std::make_unique<Application>(
        Environment{dir.filePath("program"), dir.filePath("config"), dir.filePath("data")},
        Services{&messages, &files, &printers, &desktop});
    Session& session = app->session();
    MainWindow* main = app->windows().frmAgent;
    PreviousContractsWindow* previous = app->windows().frmPrevious;
    PolicyScheduleWindow* schedule = app->windows().frmPolicies1;
    LoanTermsWindow* review = app->windows().frmPreview;
    QDateTime clock{QDate(2025, 3, 14), QTime(10, 30, 5)};

    ContractWindows()
    {
        testdb::useFreshDatabase(session, dir.filePath(QStringLiteral("project.db")));
        printers.confirmEveryJob();
        session.now = [this] { return clock; };
        // Ending the program is recorded, not done, so a test sees the windows as the end found them.
        session.quit = [] {};
        session.CurAgent = {QStringLiteral("Ann Agent"), QStringLiteral("Agency Co"), {}, {}, {}, {}, {}, {}, {}};
        session.CurCust = {QStringLiteral("Carl Customer"), QStringLiteral("Carl's Hauling"), {}, {}, {}, {}, {}, {}, {}};
        schedule->show();
    }

    // A control of the kind asked for; a missing one, or one of another kind, ends the test as failed.
    template <typename T = QLineEdit>
    T* in(QWidget* window, const QString& name) const
    {
        T* widget = window ? window->findChild<T*>(name) : nullptr;
        if (!widget)
            qFatal("no control %s", qPrintable(name));
        return widget;
    }
    QLineEdit* field(const QString& name) const { return in(schedule, name); }
    QLineEdit* reviewField(const QString& name) const { return in(review, name); }
    QCheckBox* box(const QString& name) const { return in<QCheckBox>(schedule, name); }
    void clickNext() { QTest::mouseClick(in<QPushButton>(schedule, QStringLiteral("cmdNext")), Qt::LeftButton); }
    void clickSavePrint() { QTest::mouseClick(in<QPushButton>(review, QStringLiteral("cmdPrint")), Qt::LeftButton); }

    // Premiums typed into the first row of Sections 1, 2 and 3 (empty skips), and a ticked tax when given.
    void fillSchedule(const QString& s1, const QString& s2, const QString& s3, const QString& tax = {})
    {
        field(QStringLiteral("txtPremium1_0"))->setText(s1);
        field(QStringLiteral("txtPremium2_0"))->setText(s2);
        field(QStringLiteral("txtPremium3_0"))->setText(s3);
        if (!tax.isEmpty()) {
            box(QStringLiteral("chkTax"))->setChecked(true);
            field(QStringLiteral("txtTax"))->setText(tax);
        }
    }

    // Every Policies row, oldest first, as column -> text (NULL as a null QString).
    QList<QMap<QString, QString>> storedRows() const
    {
        QList<QMap<QString, QString>> rows;
        store::Connection connection(session.database());
        QSqlQuery query = connection.run(QStringLiteral("SELECT * FROM Policies ORDER BY ID"));
        while (query.next()) {
            QMap<QString, QString> row;
            for (int i = 0; i < query.record().count(); ++i)
                row.insert(store::programColumnName(query.record().fieldName(i)), store::textOf(query.value(i)));
            rows << row;
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
    // A control by name, in the schedule first ("frmPreview/cmdBack" names the window).
    template <typename T = QWidget>
    T* control(const QString& name) const
    {
        if (name.contains('/'))
            return in<T>(window(name.section('/', 0, 0)), name.section('/', 1));
        T* widget = schedule->findChild<T*>(name);
        return widget ? widget : in<T>(review, name);
    }

    // Acts like a user: "set NAME text" (pasted), "type NAME text" (key by key), "leave NAME",
    // "tick NAME", "click NAME", "date NAME M/d/yyyy" (picked), "next", "save", "reset" (a new
    // contract), "caption TEXT" (of << Back), "close WINDOW".
    void run(const QStringList& steps)
    {
        for (const QString& step : steps) {
            const QString verb = step.section(' ', 0, 0), name = step.section(' ', 1, 1), text = step.section(' ', 2);
            if (verb == "set")
                control<QLineEdit>(name)->setText(text);
            else if (verb == "type") {
                control<QLineEdit>(name)->selectAll();
                QTest::keyClick(control(name), Qt::Key_Delete);
                QTest::keyClicks(control(name), text);
            } else if (verb == "leave") {
                QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
                QApplication::sendEvent(control(name), &out);
            } else if (verb == "date")
                control<QDateEdit>(name)->setDate(QDate::fromString(text, QStringLiteral("M/d/yyyy")));
            else if (verb == "tick")
                control<QAbstractButton>(name)->setChecked(true);
            else if (verb == "click")
                QTest::mouseClick(control(name), Qt::LeftButton, {}, QPoint(5, control(name)->height() / 2));
            else if (verb == "next" || verb == "save")
                verb == "next" ? clickNext() : clickSavePrint();
            else if (verb == "reset")
                review->hide(), schedule->Reset(), schedule->show();
            else if (verb == "caption")
                schedule->setBackCaption(step.section(' ', 1));
            else if (verb == "close" && window(name))
                window(name)->close();
            else
                qFatal("no such step: %s", qPrintable(step));
        }
    }

    // What a test sees: a control's text (a date as M/d/yyyy, a box checked/unchecked),
    // "NAME.colour", "yellow" (the schedule's yellow fields), a window shown/hidden, "message" (the
    // last box, marked unless an error box under the program's title), "messages", "ended", "rows"
    // and "rowN.Column" (NULL), "jobs" (notes printed).
    QString valueOf(const QString& name) const
    {
        if (name == "rows" || name == "jobs" || name == "messages")
            return QString::number(name == "rows" ? storedRows().size()
                                                  : name == "jobs" ? printers.jobs.size() : messages.shown.size());
        if (name.startsWith("row")) {
            const QString value = storedRows().value(name.mid(3).section('.', 0, 0).toInt() - 1).value(name.section('.', 1));
            return value.isNull() ? QStringLiteral("NULL") : value;
        }
        if (name == "ended")
            return session.ended ? "yes" : "no";
        if (name == "message") {
            const auto box = messages.shown.value(messages.shown.size() - 1, {{}, ui::MessageIcon::Critical, "QUILLON", {}});
            return box.text + (box.icon == ui::MessageIcon::Critical && box.title == "QUILLON" ? "" : " (not an error)");
        }
        if (name == "yellow") {
            QStringList yellow;
            for (QLineEdit* field : schedule->findChildren<QLineEdit*>())
                if (fieldcolour::of(field) == fieldcolour::kInvalid)
                    yellow << field->objectName();
            yellow.sort();
            return yellow.join(' ');
        }
        if (QWidget* w = window(name))
            return w->isVisible() ? "shown" : "hidden";
        if (name.endsWith(".colour"))
            return fieldcolour::of(control<QLineEdit>(name.chopped(7))) == fieldcolour::kInvalid ? "yellow" : "white";
        QWidget* widget = control(name);
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
    QStringList seen(const QStringList& expected) const
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
};
