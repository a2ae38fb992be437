#pragma once

#include <QString>

namespace store {

class Connection;
class StoreError;

// Whether the office server of a session is the primary, which accepts
// changes, or a standby that follows it and only reads. A desk that reaches
// only a standby still shows the lists and contracts; each change it tries is
// refused before anything is written.

// True when the session's server is a standby (in recovery).
bool serverIsStandby(Connection& connection);

// The host and port the session went to, of those the settings name.
QString serverInUse(Connection& connection);

// What a change tried on a standby fails with: the SQLSTATE the server gives
// a write there, in words the office understands.
StoreError standbyRefusal();

// At start-up on a standby: the database is used as it is, since nothing can
// be added to it; a schema that is not complete is refused.
void checkStandbySchema(Connection& connection);

} // namespace store
