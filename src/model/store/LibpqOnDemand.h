#pragma once

#include <QString>

// The office server's client library (libpq and the twenty libraries it brings:
// TLS, Kerberos, LDAP...) is loaded the first time a connection is asked for,
// not at every start: a desk working on its file never pays for it. The libpq
// functions the program calls are defined in LibpqOnDemand.cpp and forward to
// the loaded library, so callers use libpq's own header and names.
namespace store::libpq {

// Loads the library once; empty when it is loaded, else why it could not be.
// Every other libpq call is reached only through a connection made after this
// said yes.
QString load();

} // namespace store::libpq
