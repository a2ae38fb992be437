#include "model/contract/PoliciesRow.h"

void PoliciesRow::set(const QString& column, const QString& text)
{
    for (auto& entry : m_columns) {
        if (entry.first == column) {
            entry.second = text;
            return;
        }
    }
    m_columns.emplace_back(column, text);
}

QString PoliciesRow::value(const QString& column) const
{
    for (const auto& entry : m_columns)
        if (entry.first == column)
            return entry.second;
    return QString();
}
