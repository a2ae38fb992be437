#pragma once

#include <QWidget>

#include <memory>

// Two bare windows holding the controls the note is printed from, with the
// policy schedule's and the loan-terms window's control names, for tests
// that do not need the real windows.
struct ContractWindowsStub {
    ContractWindowsStub();

    // Sets a text field or label by its name.
    void setText(const QString& name, const QString& text);
    void setChecked(const QString& name, bool checked);

    std::unique_ptr<QWidget> schedule; // frmPolicies1
    std::unique_ptr<QWidget> review;   // frmPreview
};
