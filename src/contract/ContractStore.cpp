#include "contract/ContractStore.h"

#include "store/PoliciesTable.h"

#include <QStringList>

std::int64_t appendContract(const QString& dbPath, const PoliciesRow& row)
{
    QStringList columns, texts;
    for (const auto& [column, text] : row.columns()) {
        columns << column;
        texts << text;
    }
    return store::appendPolicy(dbPath, columns, texts);
}
