#pragma once

#include <QString>

// The agent of the contract being made, copied from the chosen Agent row.
struct AgentRecord {
    QString Name, Company, Address1, Address2, City, State, Zip, Phone, Fax;
};

// The customer (insured) of the contract being made, copied from the chosen Customer row.
struct CustomerRecord {
    QString Name, DBA, Address1, Address2, City, State, Zip, Phone, Fax;
};
