#pragma once

#include "windows/people/PartyDialog.h"

// frmAddAgent: adds an agent (New) or changes the chosen one (Edit). No one
// field is required, but an agent needs at least one.
class AgentDialog : public PartyDialog {
    Q_OBJECT
public:
    AgentDialog(Session& session, RowLookUp rowAt, QWidget* parent = nullptr);

protected:
    bool entriesAccepted() override;
};
