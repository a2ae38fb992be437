#pragma once

#include "windows/people/PartyDialog.h"

// frmAddCust: adds a customer (New) or changes the chosen one (Edit).
// "Doing Business As" must not be empty.
class CustomerDialog : public PartyDialog {
    Q_OBJECT
public:
    CustomerDialog(Session& session, RowLookUp rowAt, QWidget* parent = nullptr);

protected:
    bool entriesAccepted() override;
};
