#pragma once

#include "model/history/MonthReport.h"

#include <QDialog>

class QDateEdit;
class QLabel;
class QPushButton;
class QTableWidget;

struct Session;

// "Report": for a span of printing days (this month when it opens), each
// agent's contracts, premiums, amounts financed and finance charges, and the
// totals; printed through the print dialog or saved as a CSV file.
class ReportWindow : public QDialog {
    Q_OBJECT
public:
    explicit ReportWindow(Session& session, QWidget* parent = nullptr);

    // Opens on the current month's report.
    void showReport();
    // Reads the report for the chosen days; false when the store failed (the user was told).
    bool refresh();
    // What is on screen.
    const history::MonthReport& report() const { return m_report; }
    void setSpan(const QDate& from, const QDate& to);

    void printReport();
    void saveCsv();

private:
    Session& m_session;
    history::MonthReport m_report;
    QDateEdit* m_dtpFrom = nullptr;
    QDateEdit* m_dtpTo = nullptr;
    QPushButton* m_cmdShow = nullptr;
    QTableWidget* m_fgReport = nullptr;
    QPushButton* m_cmdPrint = nullptr;
    QPushButton* m_cmdSaveCsv = nullptr;
    QPushButton* m_cmdClose = nullptr;
};
