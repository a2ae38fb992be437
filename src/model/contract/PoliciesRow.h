#pragma once

#include <QString>

#include <utility>
#include <vector>

// One contract as a new row of the Policies table: column names with the text
// each takes, in the order saving writes them. An empty text is not written.
class PoliciesRow {
public:
    void set(const QString& column, const QString& text);
    // The text for a column; empty when it has none.
    QString value(const QString& column) const;
    const std::vector<std::pair<QString, QString>>& columns() const { return m_columns; }

private:
    std::vector<std::pair<QString, QString>> m_columns;
};
