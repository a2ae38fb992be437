#include "model/store/PoliciesColumns.h"

namespace store {

const QStringList& slotFamilies()
{
    static const QStringList families{
        QStringLiteral("PolicyNo"), QStringLiteral("Agent"), QStringLiteral("Premium"),
        QStringLiteral("Coverage"), QStringLiteral("Inception"), QStringLiteral("Expiration"),
        QStringLiteral("Term")};
    return families;
}

QStringList slotColumns(const QString& family)
{
    QStringList columns;
    for (int slot = 1; slot <= kPolicySlots; ++slot)
        columns << family + QString::number(slot);
    return columns;
}

const QStringList& policiesColumns()
{
    static const QStringList columns = [] {
        QStringList all;
        for (const QString& family : slotFamilies())
            all << slotColumns(family).mid(0, kFirstAppendedSlot - 1);
        all << QStringList{QStringLiteral("Tax"),         QStringLiteral("Fees"),
                           QStringLiteral("Surcharge"),   QStringLiteral("Other"),
                           QStringLiteral("Description"), QStringLiteral("LoanAuthorization"),
                           QStringLiteral("Run"),         QStringLiteral("Agent"),
                           QStringLiteral("Customer"),    QStringLiteral("DBA"),
                           QStringLiteral("Company"),     QStringLiteral("Financed"),
                           QStringLiteral("FinCharge"),   QStringLiteral("Payments"),
                           QStringLiteral("APR"),         QStringLiteral("InstallmentNum"),
                           QStringLiteral("InstallmentAmt"), QStringLiteral("Due"),
                           QStringLiteral("Classification"), QStringLiteral("Section1"),
                           QStringLiteral("Section2"),    QStringLiteral("Section3"),
                           QStringLiteral("Section4"),    QStringLiteral("TotalSections"),
                           QStringLiteral("Down")};
        // Added to older tables at the end, so they are created there too.
        for (const QString& family : slotFamilies())
            all << slotColumns(family).mid(kFirstAppendedSlot - 1);
        return all;
    }();
    return columns;
}

QString storedRun(const QDateTime& run)
{
    return run.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss"));
}

const QStringList& agentColumns()
{
    static const QStringList columns{
        QStringLiteral("Name"), QStringLiteral("Company"), QStringLiteral("Address1"),
        QStringLiteral("Address2"), QStringLiteral("City"), QStringLiteral("State"),
        QStringLiteral("Zip"), QStringLiteral("Phone"), QStringLiteral("Fax")};
    return columns;
}

const QStringList& customerColumns()
{
    static const QStringList columns{
        QStringLiteral("Name"), QStringLiteral("DBA"), QStringLiteral("Address1"),
        QStringLiteral("Address2"), QStringLiteral("City"), QStringLiteral("State"),
        QStringLiteral("Zip"), QStringLiteral("Phone"), QStringLiteral("Fax")};
    return columns;
}

} // namespace store
