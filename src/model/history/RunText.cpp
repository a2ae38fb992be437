#include "model/history/RunText.h"

#include "model/contract/DateText.h"

#include <QDate>
#include <QDateTime>
#include <QTime>

namespace history {

namespace {

// Reads count digits at position; -1 when any of them is not a digit.
int digitsAt(const QString& text, int position, int count)
{
    int value = 0;
    for (int i = position; i < position + count; ++i) {
        const QChar c = text[i];
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return -1;
        value = value * 10 + (c.unicode() - '0');
    }
    return value;
}

} // namespace

QString runShownText(const QString& stored)
{
    // Read by hand: the general date parser costs more than the rest of a
    // customer's list together, and the grid shows a Run in every row.
    if (stored.size() != 19 || stored[4] != QLatin1Char('-') || stored[7] != QLatin1Char('-')
        || (stored[10] != QLatin1Char('T') && stored[10] != QLatin1Char(' '))
        || stored[13] != QLatin1Char(':') || stored[16] != QLatin1Char(':'))
        return stored;
    const int year = digitsAt(stored, 0, 4);
    const int month = digitsAt(stored, 5, 2);
    const int day = digitsAt(stored, 8, 2);
    const int hour = digitsAt(stored, 11, 2);
    const int minute = digitsAt(stored, 14, 2);
    const int second = digitsAt(stored, 17, 2);
    if (year < 0 || month < 0 || day < 0 || hour < 0 || hour > 23 || minute < 0 || minute > 59
        || second < 0 || second > 59 || !QDate::isValid(year, month, day))
        return stored;

    // Only the wall-clock fields are shown, so no time zone needs to be consulted.
    return usDateTime(QDateTime(QDate(year, month, day), QTime(hour, minute, second), Qt::UTC));
}

} // namespace history
