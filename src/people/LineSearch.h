#pragma once

#include "store/ListLines.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <vector>

namespace people {

// A name as two of them are told apart: folded as for search, every blank
// dropped, so "Zoë  Müller" and "zoe muller" are one name.
QString nameKey(const QString& name);

// The lines of a list folded once for Find Customer and laid side by side, so
// that one search runs over a million lines at memory speed.
class LineSearch {
public:
    explicit LineSearch(const store::ListLines& lines);

    // The first line after position `after` whose folded text contains the
    // folded text, going round past the last line to the first and ending
    // with `after` itself; nothing when no line does, or the text folds to
    // nothing. An `after` of -1 searches from the first line.
    std::optional<qsizetype> findNext(const QString& text, qsizetype after) const;

    qsizetype size() const { return qsizetype(m_starts.size()); }

private:
    qsizetype lineAt(qsizetype offset) const;

    QByteArray m_text;                // folded UTF-8, each line ended by '\n'
    std::vector<qsizetype> m_starts;  // where each line begins in m_text
};

} // namespace people
