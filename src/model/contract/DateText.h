#pragma once

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// Six characters without "/" or "-" are read as MMDDYY: "011024" -> "01/10/24".
// Any other text comes back unchanged.
QString FormatShortDate(const QString& text);

// Reads a date typed in US order: M/D/YY, M/D/YYYY, M-D-YY, M-D-YYYY (one or
// two digit month and day, one separator throughout), six digits MMDDYY, or
// YYYY-MM-DD; blanks around are allowed. Two-digit years 00-29 are 2000-2029,
// 30-99 are 1930-1999. Empty when it is not a real calendar date.
std::optional<QDate> readUsDate(const QString& text);

// The earliest date among the non-empty texts, each read through
// FormatShortDate and readUsDate; texts that are not dates are skipped.
// Empty when no text gives a date.
std::optional<QDate> earliestDate(const QStringList& dateTexts);

// Positions (from 0) of the non-empty texts that are not dates, so a window
// can mark their fields.
QList<int> unreadableDates(const QStringList& dateTexts);

// The first installment is due one calendar month after the earliest
// inception; a day the next month lacks becomes that month's last day
// (January 31 -> February 28 or 29). An invalid date gives an invalid date.
QDate firstInstallmentDate(const QDate& earliestInception);

// Dates are shown and printed in US form: 1/15/2025, 12/6/2026 8:53:52 PM,
// whatever the desktop locale. Invalid ones are empty.
QString usDate(const QDate& date);
QString usDateTime(const QDateTime& dateTime);
