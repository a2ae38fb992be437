#pragma once

#include "people/PartyDialog.h"

// frmAddAgent: adds an agent (New) or changes the chosen one (Edit). No field
// is required; an agent without any entry is stored too.
class AgentDialog : public PartyDialog {
    Q_OBJECT
public:
    AgentDialog(Session& session, RowLookUp rowAt, QWidget* parent = nullptr);
};
