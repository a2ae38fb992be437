#pragma once

#include <QByteArray>

#include <algorithm>
#include <utility>

// The bytes where two files differ once their common beginning and end are
// set aside: what was taken out of before and what after has instead.
inline std::pair<QByteArray, QByteArray> byteDifference(const QByteArray& before, const QByteArray& after)
{
    qsizetype head = 0;
    while (head < before.size() && head < after.size() && before[head] == after[head])
        ++head;
    qsizetype tail = 0;
    while (tail < std::min(before.size(), after.size()) - head
           && before[before.size() - 1 - tail] == after[after.size() - 1 - tail])
        ++tail;
    return {before.mid(head, before.size() - head - tail), after.mid(head, after.size() - head - tail)};
}
