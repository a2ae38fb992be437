#pragma once

class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QWidget;

// The controls of the loan-terms window, created on the window at their designed places.
struct LoanTermsForm {
    QLineEdit* loanAut = nullptr;
    QLabel* amtFin = nullptr;
    QLineEdit* finCharge = nullptr;
    QLabel* totalPayments = nullptr;
    QLabel* apr = nullptr;
    QLineEdit* numInstall = nullptr;
    QLabel* amtInstall = nullptr;
    QDateEdit* firstInstallment = nullptr;
    QRadioButton* personal = nullptr;
    QRadioButton* commercial = nullptr;
    QLabel* sections[4] = {};
    QLabel* totalSections = nullptr;
    QLineEdit* down = nullptr;
    QPushButton* back = nullptr;
    QPushButton* print = nullptr;
    QPushButton* preview = nullptr;

    static LoanTermsForm build(QWidget* window);
};
