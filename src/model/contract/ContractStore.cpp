#include "model/contract/ContractStore.h"

#include "model/store/PoliciesTable.h"

#include <QStringList>

std::int64_t appendContract(const store::Place& place, const PoliciesRow& row, const QString& token,
                            std::int64_t keysAbove)
{
    QStringList columns, texts;
    for (const auto& [column, text] : row.columns()) {
        columns << column;
        texts << text;
    }
    return store::appendPolicy(place, columns, texts, token, keysAbove);
}
