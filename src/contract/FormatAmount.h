#pragma once

#include <QString>

// A double as text: rounded to 15 significant digits, shortest form, no
// trailing zeros or point, no thousands separators, no exponent for ordinary
// sizes (a double a hair below 212 is "212"; one a hair above 30.325 is "30.325").
QString numberToText(double value);

// The display rule of every amount, applied to text: "" -> "0" -> "0.00";
// no "." appends ".00"; one or no decimal is padded; more than two are cut,
// never rounded ("31.728" -> "31.72").
QString FormatAmountText(const QString& text);

// FormatAmountText(numberToText(value)): 30.325 -> "30.32", 242.6 -> "242.60".
QString FormatAmount(double value);
