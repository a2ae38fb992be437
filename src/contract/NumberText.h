#pragma once

#include <QString>

#include <cstdint>
#include <optional>

// What an agent types for money in the US: optional blanks around, an optional
// sign, an optional "$", digits with optional "," thousands separators, an
// optional "." and decimals; at least one digit. "1,234.50", "$1,234.50",
// " 12 " and "-5" are numbers; "", "12a", "1.2.3", "abc" and "." are not.
bool isNumericText(const QString& text);

// The value of numeric text as a double; empty when the text is not a number.
std::optional<double> textToDouble(const QString& text);

// Numeric text rounded to the nearest whole number, halves to even, as a
// 16-bit integer; empty when not a number or outside -32768..32767.
std::optional<std::int16_t> textToInt16(const QString& text);
