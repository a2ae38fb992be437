#include "support/ContractWindowsStub.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

namespace {
template <typename Control>
Control* add(QWidget* window, const QString& name)
{
    auto* control = new Control(window);
    control->setObjectName(name);
    return control;
}
} // namespace

ContractWindowsStub::ContractWindowsStub()
    : schedule(std::make_unique<QWidget>()), review(std::make_unique<QWidget>())
{
    schedule->setObjectName("frmPolicies1");
    review->setObjectName("frmPreview");
    const int rows[] = {4, 3, 3};
    for (int section = 1; section <= 3; ++section)
        for (const char* array : {"txtPolicy", "txtCompany", "txtPremium", "txtCoverage", "txtInception",
                                  "txtExpiration", "txtTerm"})
            for (int row = 0; row < rows[section - 1]; ++row)
                add<QLineEdit>(schedule.get(), QStringLiteral("%1%2_%3").arg(array).arg(section).arg(row));
    for (const char* item : {"Tax", "Fees", "Surcharge", "Other"}) {
        add<QCheckBox>(schedule.get(), QStringLiteral("chk") + item);
        add<QLineEdit>(schedule.get(), QStringLiteral("txt") + item);
    }
    add<QLineEdit>(schedule.get(), "txtDescription");

    for (const char* field : {"txtLoanAut", "txtFinCharge", "txtNumInstall", "txtDown"})
        add<QLineEdit>(review.get(), field);
    for (const char* label : {"lblAmtFin", "lblTotalPayments", "lblAPR", "lblAmtInstall", "lblTotalSections",
                              "lblSec1", "lblSec2", "lblSec3", "lblSec4"})
        add<QLabel>(review.get(), label);
    auto* picker = add<QDateEdit>(review.get(), "dtpFirstInstllmnt");
    picker->setDisplayFormat("M/d/yyyy");
    add<QRadioButton>(review.get(), "optCommercial")->setChecked(true);
    add<QRadioButton>(review.get(), "optPersonal");
}

void ContractWindowsStub::setText(const QString& name, const QString& text)
{
    for (QWidget* window : {schedule.get(), review.get()}) {
        if (auto* field = window->findChild<QLineEdit*>(name))
            field->setText(text);
        if (auto* label = window->findChild<QLabel*>(name))
            label->setText(text);
    }
}

void ContractWindowsStub::setChecked(const QString& name, bool checked)
{
    for (QWidget* window : {schedule.get(), review.get()})
        if (auto* button = window->findChild<QAbstractButton*>(name))
            button->setChecked(checked);
}
