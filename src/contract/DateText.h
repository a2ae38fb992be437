#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>

#include <optional>

// Six characters without "/" or "-" are read as MMDDYY: "011024" -> "01/10/24".
// Any other text comes back unchanged.
QString FormatShortDate(const QString& text);

// Reads a date typed in US order: M/D/YY, M/D/YYYY, M-D-YY, M-D-YYYY (one or
// two digit month and day), six digits MMDDYY, or YYYY-MM-DD. Two-digit years
// 00-29 are 2000-2029, 30-99 are 1930-1999. Empty when it is not a date.
std::optional<QDate> readUsDate(const QString& text);

// The first installment is due one calendar month after the earliest
// inception; a day the next month lacks becomes that month's last day.
QDate firstInstallmentDate(const QDate& earliestInception);

// Dates are shown and printed in US form: 1/15/2025, 12/6/2026 8:53:52 PM.
QString usDate(const QDate& date);
QString usDateTime(const QDateTime& dateTime);
