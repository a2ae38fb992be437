#include "model/contract/FormatAmount.h"

#include "model/contract/NumberText.h"

#include <charconv>
#include <cmath>

QString numberToText(double value)
{
    if (!std::isfinite(value) || value == 0)
        return QStringLiteral("0");

    // "d.dddddddddddddde±x": the 15 significant digits and the power of ten,
    // laid out again in positional form below.
    // to_chars ignores the C library's locale, which Qt sets from the desktop.
    char buffer[32];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                       std::chars_format::scientific, 14);
    const QString scientific = QString::fromLatin1(buffer, written.ptr - buffer);
    const qsizetype e = scientific.indexOf(u'e');
    QString digits = scientific.left(e).remove(u'.');
    const int exponent = scientific.mid(e + 1).toInt();
    while (digits.size() > 1 && digits.endsWith(u'0'))
        digits.chop(1);

    QString text;
    const int pointAfter = exponent + 1; // digits before the decimal point
    if (pointAfter <= 0) {
        text = QStringLiteral("0.") + QString(-pointAfter, u'0') + digits;
    } else if (pointAfter >= digits.size()) {
        text = digits + QString(pointAfter - digits.size(), u'0');
    } else {
        text = digits.left(pointAfter) + u'.' + digits.mid(pointAfter);
    }
    return value < 0 ? u'-' + text : text;
}

QString FormatAmountText(const QString& text)
{
    QString result = text.isEmpty() ? QStringLiteral("0") : text;
    const qsizetype point = result.lastIndexOf(u'.');
    if (point < 0)
        return result + QStringLiteral(".00");
    const qsizetype decimals = result.size() - point - 1;
    if (decimals == 0)
        return result + QStringLiteral("00");
    if (decimals == 1)
        return result + u'0';
    return result.left(point + 3);
}

QString FormatAmount(double value)
{
    return FormatAmountText(numberToText(value));
}

double shownValue(double value)
{
    return textToDouble(FormatAmount(value)).value_or(0);
}
