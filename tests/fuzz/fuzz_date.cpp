// Typed dates: what reads as a date is a real date that prints and reads back
// the same, and the first installment falls one month later.
#include "FuzzInput.h"
#include "model/contract/DateText.h"

#include <QStringList>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString text = fuzzText(data, size);
    const std::optional<QDate> date = readUsDate(FormatShortDate(text));
    if (date) {
        FUZZ_CHECK(date->isValid());
        if (date->year() >= 1000 && date->year() <= 9999)
            FUZZ_CHECK(readUsDate(usDate(*date)) == date);
        const QDate due = firstInstallmentDate(*date);
        FUZZ_CHECK(due.isValid() || date->year() == 9999);
        FUZZ_CHECK(!due.isValid() || (due > *date && date->daysTo(due) <= 31));
    }

    // The same text cut into lines, as the policy rows' dates: every non-empty
    // text is either a date or reported as unreadable. (The rows are read as
    // typed: a six-character text with a blank, " 12208", is a date only
    // through FormatShortDate.)
    const QStringList rows = text.split(QLatin1Char('\n'));
    const QList<int> unreadable = unreadableDates(rows);
    const std::optional<QDate> earliest = earliestDate(rows);
    qsizetype filled = 0, readable = 0;
    for (const QString& row : rows) {
        if (row.isEmpty())
            continue;
        ++filled;
        if (const auto rowDate = readUsDate(row)) {
            ++readable;
            FUZZ_CHECK(earliest && *earliest <= *rowDate);
        }
    }
    FUZZ_CHECK(readable + unreadable.size() == filled);
    FUZZ_CHECK(earliest.has_value() == (readable > 0));
    return 0;
}
