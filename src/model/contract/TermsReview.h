#pragma once

#include "model/contract/ConsumerApr.h"

#include <QDate>
#include <QString>

#include <cstdint>
#include <optional>

struct CurrentContract;

// Everything the review window shows: the text of every label and field, the
// state of each editable field and the classification. The window only copies
// this onto its controls.
struct ReviewScreen {
    QString loanAut;
    QString amtFin, finCharge, totalPayments, apr, numInstall, amtInstall;
    QString sections[4];
    QString totalSections;
    QString down;
    QDate firstInstallment;
    bool commercial = true;
    // False turns the field yellow: it holds nothing the terms can use.
    bool downOk = true, finChargeOk = true, numInstallOk = true;
};

// A number of installments as the agent writes it: digits only (leading zeros
// too), blanks around allowed, 1 to 32767.
std::optional<std::int16_t> installmentCount(const QString& text);

// The largest amount the review's boxes show whole: its two-decimal text
// fills a box, one digit more would be cut off.
inline constexpr double kLargestShownAmount = 99999999.99;

// A down payment as typed: a number from 0 to the grand total (and no more
// than a box shows); empty otherwise.
std::optional<double> downPaymentOf(const QString& text, double grandTotal);
// A finance charge as typed: a number from 0 to what a box shows; empty otherwise.
std::optional<double> financeChargeOf(const QString& text);

// The rules of the loan-terms review, free of any widget. It works on the
// contract's amounts and keeps `screen()` in step with them. Every field the
// rules fill runs that field's change handling itself, so the terms never
// depend on whether a text happened to differ from what was there before.
class TermsReview {
public:
    explicit TermsReview(CurrentContract& contract) : m_contract(contract) {}

    // The window becomes active: refill every term from the contract, each
    // field through its own change handling, then choose the rate from the
    // amount financed finally shown. The credit starts on the earliest inception, or
    // on `today` when the schedule has none.
    void activate(bool commercial, const QDate& today = QDate::currentDate());

    // The user's edits: the field now holds `text`.
    void downTyped(const QString& text);
    void finChargeTyped(const QString& text);
    void numInstallTyped(const QString& text);

    void leaveDown();
    void leaveFinCharge();
    void leaveNumInstall();

    void firstInstallmentChosen(const QDate& due);

    // The rate shown is the rule of the classification now chosen.
    void setCommercial(bool commercial);
    // Marks the fields the terms cannot be saved with, changing nothing else;
    // true when all are usable.
    bool checkSavable();
    // Why the terms cannot be saved, for the first field checkSavable refused.
    QString refusal() const;
    // Why a Personal/Consumer contract shows no rate; None for a commercial one.
    NoRate consumerRateMissing() const;
    const QDate& advanceDate() const { return m_advance; }

    const ReviewScreen& screen() const { return m_screen; }
    double shownFinCharge() const { return m_shownFinCharge; }
    std::int16_t shownInstallments() const { return m_shownInstallments; }

private:
    // The change handling of each editable field, run whenever the rules or the user set it.
    void downChanged();
    void finChargeChanged();
    void numInstallChanged();
    void checkTermsChanged();
    // A consumer's rate is worked out afresh from the terms on screen after every
    // change; no rate of either kind shows beside emptied figures.
    void workOutConsumerApr();
    ConsumerLoan consumerLoan() const;

    // A refused entry leaves nothing shown of what is worked out from it.
    void emptyFiguresOfDown();
    void emptyFiguresOfFinCharge();
    void refuseCount();
    // Shows an amount in two-decimal form into `label`; the amount becomes what is shown.
    void show(QString& label, double& amount);
    void showInstallmentAmount();

    CurrentContract& m_contract;
    ReviewScreen m_screen;
    // The finance charge and number of installments as shown when activation ended;
    // the rate stays only while the user keeps both.
    double m_shownFinCharge = 0;
    std::int16_t m_shownInstallments = 0;
    // Whether the last entry typed (not emptied) in each field could be used:
    // the figures worked out from a field wait for it, and for the fields it
    // builds on (down payment, then finance charge, then installments).
    bool m_downUsable = true, m_finChargeUsable = true, m_countUsable = true;
    // The commercial rate chosen on activation, shown again when the agent switches back.
    QString m_commercialRate;
    QDate m_advance;
};
