#pragma once

#include <QList>
#include <QStringList>

// The lender's contract text of the note, line by line as it is printed.
// Each line must stay inside its column at 8-point Arial.
namespace print::wording {

// Page 1, left column, under the insured agreement heading.
const QStringList& agreementParagraph1(); // 6 lines
const QStringList& agreementParagraph2(); // 7 lines
const QStringList& agreementParagraph3(); // 6 lines
// Page 1, right column.
const QStringList& agreementParagraph4(); // 11 lines
const QStringList& agreementParagraph5(); // 9 lines
const QStringList& agentStatementPage1(); // 3 lines

// Page 2, left column: the instruction blocks in printing order.
const QList<QStringList>& instructionBlocks();
// Page 2, right column: the two opening lines of the agent's statement and its items.
const QStringList& agentStatementOpening();
const QList<QStringList>& agentStatementItems();

} // namespace print::wording
