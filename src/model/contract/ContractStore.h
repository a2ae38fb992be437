#pragma once

#include "model/contract/PoliciesRow.h"
#include "model/store/Place.h"

#include <QString>

#include <cstdint>

// Appends a saved contract to the Policies table of the database file in one
// transaction; columns with empty text stay NULL. Returns the new row's ID, 0
// when an earlier try with the same write token stored it. The new ID is above
// keysAbove, the highest ID a kept note names.
// Throws store::StoreError, leaving the file as it was.
std::int64_t appendContract(const store::Place& place, const PoliciesRow& row, const QString& token = {},
                            std::int64_t keysAbove = 0);
