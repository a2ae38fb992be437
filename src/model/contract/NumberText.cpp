#include "model/contract/NumberText.h"

#include "model/contract/FixedAmount.h"

#include <QRegularExpression>

namespace {

bool isAsciiDigit(QChar c) { return c >= u'0' && c <= u'9'; }

bool isBlank(QChar c) { return c == u' ' || c == u'\t'; }

// Reads digits from position `at`; returns how many there were.
qsizetype readDigits(const QString& text, qsizetype at, QString& into)
{
    qsizetype count = 0;
    while (at + count < text.size() && isAsciiDigit(text[at + count])) {
        into += text[at + count];
        ++count;
    }
    return count;
}

} // namespace

std::optional<NumericParts> splitNumericText(const QString& text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;
    const QString body = text.mid(begin, end - begin);

    NumericParts parts;
    qsizetype at = 0;
    if (at < body.size() && (body[at] == u'-' || body[at] == u'+')) {
        parts.negative = body[at] == u'-';
        ++at;
    }
    if (at < body.size() && body[at] == u'$')
        ++at;

    const qsizetype firstGroup = readDigits(body, at, parts.wholeDigits);
    at += firstGroup;
    if (at < body.size() && body[at] == u',') {
        if (firstGroup < 1 || firstGroup > 3)
            return std::nullopt;
        while (at < body.size() && body[at] == u',') {
            if (readDigits(body, at + 1, parts.wholeDigits) != 3)
                return std::nullopt;
            at += 4;
        }
        if (at < body.size() && isAsciiDigit(body[at]))
            return std::nullopt;
    }
    if (at < body.size() && body[at] == u'.') {
        ++at;
        at += readDigits(body, at, parts.fractionDigits);
    }
    if (at != body.size())
        return std::nullopt;
    if (parts.wholeDigits.isEmpty() && parts.fractionDigits.isEmpty())
        return std::nullopt;
    return parts;
}

bool isNumericText(const QString& text)
{
    return FixedAmount::fromText(text).has_value();
}

std::optional<double> textToDouble(const QString& text)
{
    const std::optional<NumericParts> split = splitNumericText(text);
    if (!split)
        return std::nullopt;
    const NumericParts& parts = *split;
    // QString::toDouble always reads the C locale and rounds correctly.
    QString plain = parts.negative ? QStringLiteral("-") : QString();
    plain += parts.wholeDigits.isEmpty() ? QStringLiteral("0") : parts.wholeDigits;
    if (!parts.fractionDigits.isEmpty())
        plain += u'.' + parts.fractionDigits;
    bool ok = false;
    const double value = plain.toDouble(&ok);
    if (!ok) {
        // A fraction too small for a double is refused as an underflow; as an
        // amount it is simply nothing.
        const bool noWholePart = !parts.wholeDigits.contains(QRegularExpression(QStringLiteral("[1-9]")));
        if (noWholePart)
            return 0.0;
        return std::nullopt;
    }
    return value;
}

std::optional<std::int16_t> textToInt16(const QString& text)
{
    const std::optional<NumericParts> split = splitNumericText(text);
    if (!split)
        return std::nullopt;
    const NumericParts& parts = *split;

    // Decided on the digits themselves, so 2.5000000000000000001 rounds up
    // even though its nearest double is 2.5.
    QString whole = parts.wholeDigits;
    while (whole.size() > 1 && whole[0] == u'0')
        whole.remove(0, 1);
    if (whole.size() > 5)
        return std::nullopt;
    int magnitude = whole.isEmpty() ? 0 : whole.toInt();

    const QString& fraction = parts.fractionDigits;
    if (!fraction.isEmpty()) {
        const QChar first = fraction[0];
        bool restNonZero = false;
        for (qsizetype i = 1; i < fraction.size(); ++i)
            restNonZero = restNonZero || fraction[i] != u'0';
        const bool roundUp = first > u'5' || (first == u'5' && (restNonZero || magnitude % 2 == 1));
        if (roundUp)
            ++magnitude;
    }
    const int value = parts.negative ? -magnitude : magnitude;
    if (value < -32768 || value > 32767)
        return std::nullopt;
    return static_cast<std::int16_t>(value);
}
