#pragma once

#include "app/AppWindows.h"
#include "app/Session.h"
#include "contract/LoanTermsWindow.h"
#include "contract/PolicyScheduleWindow.h"
#include "history/PreviousContractsWindow.h"
#include "people/MainWindow.h"
#include "store/Connection.h"
#include "store/Schema.h"
#include "support/FakeServices.h"

#include <QApplication>
#include <QCheckBox>
#include <QDateEdit>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QPushButton>
#include <QRadioButton>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

// The contract windows wired as the program wires them, over a fresh database
// file, with message boxes recorded and a clock the test sets.
struct ContractWindows {
    QTemporaryDir dir;
    FakeMessageBoxService messages;
    Session session;
    AppWindows windows;
    std::unique_ptr<MainWindow> main;
    std::unique_ptr<PreviousContractsWindow> previous;
    std::unique_ptr<PolicyScheduleWindow> schedule;
    std::unique_ptr<LoanTermsWindow> review;
    QDateTime clock{QDate(2025, 3, 14), QTime(10, 30, 5)};

    ContractWindows()
    {
        session.DBPath = dir.filePath(QStringLiteral("project.db"));
        store::createDatabase(session.DBPath);
        session.services.messages = &messages;
        session.now = [this] { return clock; };
        main = std::make_unique<MainWindow>(session, windows);
        previous = std::make_unique<PreviousContractsWindow>(session, windows);
        schedule = std::make_unique<PolicyScheduleWindow>(session, windows);
        review = std::make_unique<LoanTermsWindow>(session, windows);
        windows.frmAgent = main.get();
        windows.frmPrevious = previous.get();
        windows.frmPolicies1 = schedule.get();
        windows.frmPreview = review.get();
        session.CurAgent = {QStringLiteral("Ann Agent"), QStringLiteral("Agency Co"), {}, {}, {}, {}, {}, {}, {}};
        session.CurCust = {QStringLiteral("Carl Customer"), QStringLiteral("Carl's Hauling"), {}, {}, {}, {}, {}, {}, {}};
        schedule->show();
    }

    template <typename T = QLineEdit>
    T* in(QWidget* window, const QString& name) const
    {
        T* widget = window->findChild<T*>(name);
        if (!widget)
            qFatal("no control %s", qPrintable(name));
        return widget;
    }
    QLineEdit* field(const QString& name) const { return in(schedule.get(), name); }
    QLineEdit* reviewField(const QString& name) const { return in(review.get(), name); }
    QString shown(const QString& name) const
    {
        if (auto* label = review->findChild<QLabel*>(name))
            return label->text();
        return reviewField(name)->text();
    }
    QCheckBox* box(const QString& name) const { return in<QCheckBox>(schedule.get(), name); }

    // Types into a field as a user does, key by key, after emptying it.
    static void type(QLineEdit* field, const QString& text)
    {
        field->selectAll();
        QTest::keyClick(field, Qt::Key_Delete);
        QTest::keyClicks(field, text);
    }
    // The user moves on to another control of the same window.
    static void leave(QLineEdit* field)
    {
        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(field, &out);
    }
    void clickNext() { QTest::mouseClick(in<QPushButton>(schedule.get(), QStringLiteral("cmdNext")), Qt::LeftButton); }
    void clickSavePrint() { QTest::mouseClick(in<QPushButton>(review.get(), QStringLiteral("cmdPrint")), Qt::LeftButton); }

    // Premiums typed into the first row of Sections 1, 2 and 3 (empty skips),
    // and a ticked tax when given.
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
        store::Connection connection(session.DBPath);
        QSqlQuery query = connection.run(QStringLiteral("SELECT * FROM Policies ORDER BY ID"));
        while (query.next()) {
            QMap<QString, QString> row;
            const QSqlRecord record = query.record();
            for (int i = 0; i < record.count(); ++i)
                row.insert(record.fieldName(i), store::textOf(record.value(i)));
            rows << row;
        }
        return rows;
    }
};
