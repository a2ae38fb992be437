#pragma once

#include <QString>

namespace store {

class Connection;

// The TLS protocol the session with the office server runs under ("TLSv1.3"),
// as the server sees it; empty when the session is not encrypted.
QString tlsProtocol(Connection& connection);

} // namespace store
