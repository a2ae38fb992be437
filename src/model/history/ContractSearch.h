#pragma once

#include "model/store/Place.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace history {

// Find Contract: what one typed text asks for, and the contracts it finds.

// A span of printing days, both ends included.
struct DaySpan {
    QDate from;
    QDate to;
};

// "12/3/2026" or "12/1/2026-12/31/2026" (blanks around the dash allowed); a
// span whose end comes before its start is read the other way round.
std::optional<DaySpan> readDaySpan(const QString& text);

// A name or number as it is compared: letter case and accents dropped, blanks
// at either end trimmed.
QString foldedText(const QString& text);

// One found contract, as the grid shows it.
struct FoundContract {
    qint64 id = 0;
    QString dba;
    QString customer;
    QString agent;
    QString run;      // as stored: yyyy-MM-ddTHH:mm:ss
    QString financed; // as stored: two-decimal text
};

// Whether a contract matches a typed text that is not a day span: one of its
// policy numbers, its DBA or its customer's name starts with the text, letter
// case and accents aside.
bool matchesText(const QString& foldedWanted, const QString& dba, const QString& customer,
                 const QStringList& policyNumbers);

struct FoundContracts {
    QList<FoundContract> contracts; // newest first
    bool moreExist = false;         // there were more than the limit
};

// The contracts the text finds, newest first, at most limit of them. A day
// span reads the contracts printed on those days through the index on Run;
// any other text is looked up in the index of contracts' words, brought up
// to date first when mayIndex (writes may go), and walks the contracts from
// the newest when that index cannot serve or the text starts too many words.
FoundContracts findContracts(const store::Place& place, const QString& text, int limit, bool mayIndex = true);

// The row the previous-contracts grid shows this contract in (from 1).
int contractRowFor(const store::Place& place, const QString& dba, qint64 id);

} // namespace history
