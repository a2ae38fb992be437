#pragma once

#include <QString>

// A double as text: rounded to 15 significant digits, shortest form, no
// trailing zeros or point, no thousands separators and never an exponent (a
// double a hair below 212 is "212"; one a hair above 30.325 is "30.325"; a tiny
// 3.05e-7 is "0.000000305", so its amount shows as 0.00). -0 and values that
// are not finite are "0".
QString numberToText(double value);

// The display rule of every amount, applied to text: "" -> "0" -> "0.00";
// no "." appends ".00"; one or no decimal is padded; more than two are cut,
// never rounded ("31.728" -> "31.72").
QString FormatAmountText(const QString& text);

// FormatAmountText(numberToText(value)): 30.325 -> "30.32", 242.6 -> "242.60".
QString FormatAmount(double value);

// The value an amount has once it is shown: FormatAmount(value) read back as a
// number, as every later term is built from what the user sees.
double shownValue(double value);
