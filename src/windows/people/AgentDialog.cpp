#include "windows/people/AgentDialog.h"

#include "model/session/Session.h"
#include "model/store/AgentTable.h"
#include "windows/ui/MessageBoxService.h"

namespace {

// Agent columns: Name, Company, Address1, Address2, City, State, Zip, Phone, Fax.
PartyDialog::Design agentDesign()
{
    return {QStringLiteral("frmAddAgent"),
            QStringLiteral("Add Agent"),
            QStringLiteral("Enter New Agent Information"),
            6180,
            9.75,
            {{"Label2", "Agent Name", "txtName", 40, {855, 840, 3555, 375}},
             {"Label3", "Company Name", "txtCoName", 50, {840, 1620, 3555, 375}},
             {"Label4", "Address", "txtAddress1", 75, {840, 2400, 3555, 375}},
             {"Label5", "City", "txtCity", 25, {840, 3180, 1515, 375}},
             {"Label6", "State", "txtState", 2, {2520, 3180, 495, 375}},
             {"Label7", "Zip", "txtZip", 10, {3180, 3180, 1215, 375}},
             {"Label8", "Phone", "txtPhone", 14, {840, 3960, 1815, 375}},
             {"Label9", "Fax", "txtFax", 14, {840, 4740, 1815, 375}}},
            {0, 1, 2, 4, 5, 6, 7, 8},
            {1395, 5580, 1215, 495},
            {2655, 5580, 1215, 495},
            QStringLiteral("Agent database is empty. Select New to add a new Agent."),
            QStringLiteral("An agent named %1 already exists. Add another one?"),
            &store::agentTable};
}

} // namespace

AgentDialog::AgentDialog(Session& session, RowLookUp rowAt, QWidget* parent)
    : PartyDialog(session, agentDesign(), std::move(rowAt), parent)
{
}

bool AgentDialog::entriesAccepted()
{
    // An agent of blanks would be listed as a bare " - " that names no one.
    if (!everyFieldBlank())
        return true;
    m_session.services.messages->show(this, QStringLiteral("An Agent cannot be stored with every field blank."),
                                      ui::MessageIcon::Critical, QStringLiteral("Add Agent"));
    return false;
}
