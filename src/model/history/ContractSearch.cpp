#include "model/history/ContractSearch.h"

#include "model/store/Connection.h"
#include "model/store/ContractWords.h"
#include "model/store/FoldedText.h"
#include "model/store/PoliciesColumns.h"
#include "model/store/PoliciesLookUp.h"

#include <QRegularExpression>

namespace history {

namespace {

const QStringList& shownColumns()
{
    static const QStringList columns{QStringLiteral("ID"),    QStringLiteral("DBA"), QStringLiteral("Customer"),
                                     QStringLiteral("Agent"), QStringLiteral("Run"), QStringLiteral("Financed")};
    return columns;
}

// How long a search may spend bringing the index of words up to date (the
// first after an older file's upgrade has a whole table to take in); and the
// most index entries a prefix may start before walking finds it faster.
constexpr int kCatchUpBudgetMs = 1500;
constexpr int kIndexedAtMost = 20000;
// Contracts read by their IDs in one statement.
constexpr int kReadAtOnce = 250;

// The contracts whose words start with wanted, newest first; nothing when the
// index cannot serve, and the walk finds the same contracts.
std::optional<QList<qint64>> indexedContracts(const store::Place& place, const QString& wanted, bool mayIndex)
{
    if (!mayIndex || !store::catchUpContractWords(place, kCatchUpBudgetMs))
        return std::nullopt;
    return store::contractsWithWordStarting(place, wanted, kIndexedAtMost);
}

FoundContract foundFrom(const QVariantList& values)
{
    FoundContract found;
    found.id = values.value(0).toLongLong();
    found.dba = store::textOf(values.value(1));
    found.customer = store::textOf(values.value(2));
    found.agent = store::textOf(values.value(3));
    found.run = store::textOf(values.value(4));
    found.financed = store::textOf(values.value(5));
    return found;
}

} // namespace

std::optional<DaySpan> readDaySpan(const QString& text)
{
    static const QRegularExpression pattern(QStringLiteral(
        R"(^\s*(\d{1,2}/\d{1,2}/\d{4})\s*(?:-\s*(\d{1,2}/\d{1,2}/\d{4})\s*)?$)"));
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    const QString format = QStringLiteral("M/d/yyyy");
    const QDate from = QDate::fromString(match.captured(1), format);
    const QDate to = match.captured(2).isEmpty() ? from : QDate::fromString(match.captured(2), format);
    if (!from.isValid() || !to.isValid())
        return std::nullopt;
    if (to < from)
        return DaySpan{to, from};
    return DaySpan{from, to};
}

QString foldedText(const QString& text)
{
    return store::foldForSearch(text.trimmed());
}

bool matchesText(const QString& foldedWanted, const QString& dba, const QString& customer,
                 const QStringList& policyNumbers)
{
    if (foldedWanted.isEmpty())
        return false;
    if (foldedText(dba).startsWith(foldedWanted) || foldedText(customer).startsWith(foldedWanted))
        return true;
    for (const QString& number : policyNumbers)
        if (!number.isEmpty() && foldedText(number).startsWith(foldedWanted))
            return true;
    return false;
}

FoundContracts findContracts(const store::Place& place, const QString& text, int limit, bool mayIndex)
{
    FoundContracts found;
    if (const std::optional<DaySpan> span = readDaySpan(text)) {
        // One more than shown tells whether there are more.
        const QList<QVariantList> rows =
            store::policiesPrintedWithin(place, shownColumns(), span->from, span->to, limit + 1);
        for (const QVariantList& values : rows)
            found.contracts << foundFrom(values);
    } else {
        const QString wanted = foldedText(text);
        if (wanted.isEmpty())
            return found;
        const QStringList numbers = store::slotColumns(QStringLiteral("PolicyNo"));
        const auto take = [&](const QVariantList& values) {
            QStringList policyNumbers;
            for (qsizetype i = 0; i < numbers.size(); ++i)
                policyNumbers << store::textOf(values.value(shownColumns().size() + i));
            if (matchesText(wanted, store::textOf(values.value(1)), store::textOf(values.value(2)), policyNumbers))
                found.contracts << foundFrom(values);
            return found.contracts.size() > limit;
        };
        if (const std::optional<QList<qint64>> ids = indexedContracts(place, wanted, mayIndex)) {
            for (qsizetype start = 0; start < ids->size() && found.contracts.size() <= limit; start += kReadAtOnce)
                for (const QVariantList& values : store::policiesWithIds(place, shownColumns() + numbers, ids->mid(start, kReadAtOnce)))
                    if (take(values))
                        break;
        } else {
            store::walkPoliciesNewestFirst(place, shownColumns() + numbers, take);
        }
    }
    if (found.contracts.size() > limit) {
        found.contracts.resize(limit);
        found.moreExist = true;
    }
    return found;
}

int contractRowFor(const store::Place& place, const QString& dba, qint64 id)
{
    return store::policyPositionForDba(place, dba, id);
}

} // namespace history
