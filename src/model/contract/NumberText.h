#pragma once

#include <QString>

#include <cstdint>
#include <optional>

// What an agent types for money in the US: optional blanks around, an optional
// sign, an optional "$", digits with optional "," thousands separators, an
// optional "." and decimals; at least one digit. "1,234.50", "$1,234.50",
// " 12 " and "-5" are numbers; "", "12a", "1.2.3", "abc" and "." are not.
//
// Thousands separators must group strictly (1 to 3 digits, then groups of
// exactly 3, only before the point): "12,34" is refused, because in much of the
// world it means 12.34 and reading it as 1234 would put a wrong amount on a loan.
//
// The written parts of such a text: the sign, the whole-number digits without
// separators and the decimals, both possibly empty (".5", "5.") but not both.
struct NumericParts {
    bool negative = false;
    QString wholeDigits;
    QString fractionDigits;
};
std::optional<NumericParts> splitNumericText(const QString& text);

// A number is a text of the form above whose value also fits the four-decimal
// amount type (FixedAmount), so every amount that passes can be added up.
bool isNumericText(const QString& text);

// The value of a text of the form above as the nearest double, whatever the
// desktop locale; empty when the text has another form or its value is beyond
// a double. Not bound to the amount range: terms worked out from amounts
// (an amount financed of a typed negative down payment) may exceed it.
std::optional<double> textToDouble(const QString& text);

// Numeric text rounded to the nearest whole number, halves to even, as a
// 16-bit integer; empty when not a number or outside -32768..32767.
std::optional<std::int16_t> textToInt16(const QString& text);
