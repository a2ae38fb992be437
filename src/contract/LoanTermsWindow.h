#pragma once

#include "contract/LoanTermsForm.h"

#include <QWidget>

#include <cstdint>

class QLabel;
class QLineEdit;
struct Session;
struct AppWindows;

class LoanTermsWindow : public QWidget {
    Q_OBJECT
public:
    LoanTermsWindow(Session& session, AppWindows& windows, QWidget* parent = nullptr);

    // Shown by the policy schedule: refills every term from CurrentContract and shows.
    void activate();
    // Appends the contract on screen to the Policies table as one new row.
    // False (after telling the user) when the store failed; nothing is half-written.
    bool SaveData();

    const LoanTermsForm& form() const { return m_form; }

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void downChanged();
    void finChargeChanged();
    void numInstallChanged();
    void leaveDown();
    void leaveFinCharge();
    void leaveNumInstall();
    void CheckTermsChanged();
    void savePrint();
    void goBack();

    // Shows an amount in two-decimal form; from then on the amount is what is shown.
    void showAmount(QLabel* label, double& amount);
    void updateInstallmentAmount();
    // Refuses, with the user told, terms that cannot be saved as they stand.
    bool termsCanBeSaved();

    Session& m_session;
    AppWindows& m_windows;
    LoanTermsForm m_form;
    // The finance charge and number of installments as last shown by activation;
    // the APR stays only while the user keeps both.
    double ShownFinCharge = 0;
    std::int16_t ShownInstallments = 0;
};
