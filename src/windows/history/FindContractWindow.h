#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

struct Session;

// "Find Contract": one field that finds contracts of any customer by a policy
// number, a DBA or customer name, or the day or days they were printed; Enter
// or a double-click on a found contract opens it among its customer's contracts.
class FindContractWindow : public QDialog {
    Q_OBJECT
public:
    explicit FindContractWindow(Session& session, QWidget* parent = nullptr);

    // Shows the window, the field ready for typing.
    void showFind();
    // Looks for what the field holds; false when the store failed (the user was told).
    bool find();
    // The number of contracts the grid shows.
    int foundRows() const;

    // At most this many contracts are shown at once.
    static constexpr int kShownAtMost = 200;

signals:
    // The chosen contract, to be shown in its customer's previous contracts
    // at this row of the list (from 1).
    void contractChosen(const QString& dba, int contractRow);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void openChosen();

    Session& m_session;
    QLineEdit* m_txtFind = nullptr;
    QPushButton* m_cmdFind = nullptr;
    QTableWidget* m_fgFound = nullptr;
    QLabel* m_lblFound = nullptr;
    QPushButton* m_cmdOpen = nullptr;
    QPushButton* m_cmdClose = nullptr;
};
