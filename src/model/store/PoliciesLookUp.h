#pragma once

#include "model/store/Place.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>

class QSqlQuery;

namespace store {

class Connection;

// Reading contracts across customers: Find Contract and the report. Every call
// opens its own connection; failures throw StoreError.

// The stored Run texts that bound the days from..to, both included: a Run is
// in the span when first <= Run < last (yyyy-MM-dd sorts as the days do).
struct RunBounds {
    QString first;
    QString last;
};
RunBounds runBounds(const QDate& from, const QDate& to);

// These columns of the contracts printed within the days, newest first, at
// most limit rows.
QList<QVariantList> policiesPrintedWithin(const Place& place, const QStringList& columns, const QDate& from,
                                          const QDate& to, int limit);

// Walks the contracts newest first, a batch at a time, handing each row's
// values (in the columns' order, ID last added by the call) to take, until take
// says it has enough or the table ends.
void walkPoliciesNewestFirst(const Place& place, const QStringList& columns,
                             const std::function<bool(const QVariantList&)>& take);

// The position (from 1) of the contract with this ID among the contracts of
// its DBA in ID order, as the previous-contracts grid lists them; 0 when none.
int policyPositionForDba(const Place& place, const QString& dba, qint64 id);

// The columns of these contracts, each row followed by its ID as the walk
// gives them, in the order of ids; a contract no longer stored is left out.
QList<QVariantList> policiesWithIds(const Place& place, const QStringList& columns, const QList<qint64>& ids);

} // namespace store
