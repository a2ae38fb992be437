#include "windows/people/CustomerDialog.h"

#include "model/session/Session.h"
#include "model/store/CustomerTable.h"
#include "windows/ui/MessageBoxService.h"

#include <QLineEdit>

namespace {

// Customer columns: Name, DBA, Address1, Address2, City, State, Zip, Phone, Fax.
PartyDialog::Design customerDesign()
{
    return {QStringLiteral("frmAddCust"),
            QStringLiteral("Add Customer"),
            QStringLiteral("Customer Information"),
            5310,
            8.25,
            {{"D", "Doing Business As", "txtDBA", 50, {840, 840, 3555, 375}},
             {"Label2", "Customer Name", "txtName", 40, {840, 1500, 3555, 375}},
             {"Label4", "Address", "txtAddress1", 75, {840, 2160, 3555, 375}},
             {"Label5", "City", "txtCity", 25, {840, 2820, 1515, 375}},
             {"Label6", "State", "txtState", 2, {2520, 2820, 495, 375}},
             {"Label7", "Zip", "txtZip", 10, {3180, 2820, 1215, 375}},
             {"Label8", "Phone", "txtPhone", 14, {840, 3480, 1815, 375}},
             {"Label9", "Fax", "txtFax", 14, {840, 4140, 1815, 375}}},
            {1, 0, 2, 4, 5, 6, 7, 8},
            {1395, 4800, 1215, 435},
            {2655, 4800, 1215, 435},
            QStringLiteral("Customer database is empty. Hit New to add a new Customer."),
            QStringLiteral("A customer named %1 already exists. Add another one?"),
            &store::customerTable};
}

} // namespace

CustomerDialog::CustomerDialog(Session& session, RowLookUp rowAt, QWidget* parent)
    : PartyDialog(session, customerDesign(), std::move(rowAt), parent)
{
}

bool CustomerDialog::entriesAccepted()
{
    // Only the empty text is refused: a name of blanks is a name.
    if (!field("txtDBA")->text().isEmpty())
        return true;
    m_session.services.messages->show(this, QStringLiteral("The 'Doing Business As' field cannot be blank"),
                                      ui::MessageIcon::Critical, QStringLiteral("Customer Information"));
    return false;
}
