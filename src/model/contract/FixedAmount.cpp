#include "model/contract/FixedAmount.h"

#include "model/contract/NumberText.h"

#include <limits>

namespace {

constexpr int kDecimals = 4;
constexpr std::uint64_t kLargestPositive = std::numeric_limits<std::int64_t>::max();
constexpr std::uint64_t kLargestNegative = kLargestPositive + 1;

// Nineteen decimal digits always fit in 64 unsigned bits (10^19 < 2^64).
std::uint64_t digitsValue(const QString& digits)
{
    std::uint64_t value = 0;
    for (QChar c : digits)
        value = value * 10 + static_cast<std::uint64_t>(c.unicode() - u'0');
    return value;
}

// Round half to even on the digits after the fourth decimal.
bool roundsUp(const QString& dropped, std::uint64_t kept)
{
    if (dropped.isEmpty())
        return false;
    if (dropped[0] != u'5')
        return dropped[0] > u'5';
    for (qsizetype i = 1; i < dropped.size(); ++i) {
        if (dropped[i] != u'0')
            return true;
    }
    return kept % 2 == 1;
}

} // namespace

std::optional<FixedAmount> FixedAmount::fromText(const QString& text)
{
    const std::optional<NumericParts> parts = splitNumericText(text);
    if (!parts)
        return std::nullopt;

    QString whole = parts->wholeDigits;
    qsizetype leadingZeros = 0;
    while (leadingZeros < whole.size() && whole[leadingZeros] == u'0')
        ++leadingZeros;
    whole.remove(0, leadingZeros);
    // 10^15 whole units are already 10^19 ten-thousandths, beyond 2^63.
    if (whole.size() > 15)
        return std::nullopt;

    const QString kept = parts->fractionDigits.left(kDecimals).leftJustified(kDecimals, u'0');
    const QString dropped = parts->fractionDigits.mid(kDecimals);
    std::uint64_t magnitude = digitsValue(whole + kept);
    if (roundsUp(dropped, magnitude))
        ++magnitude;

    if (parts->negative) {
        if (magnitude > kLargestNegative)
            return std::nullopt;
        // Negating in unsigned arithmetic keeps the most negative value defined.
        return FixedAmount(static_cast<std::int64_t>(0 - magnitude));
    }
    if (magnitude > kLargestPositive)
        return std::nullopt;
    return FixedAmount(static_cast<std::int64_t>(magnitude));
}

std::optional<FixedAmount> FixedAmount::plus(FixedAmount other) const
{
    std::int64_t sum = 0;
    if (__builtin_add_overflow(m_units, other.m_units, &sum))
        return std::nullopt;
    return FixedAmount(sum);
}

double FixedAmount::toDouble() const
{
    // Up to 2^53 the units are exact in a double, so one division rounds
    // correctly; beyond, the decimal text is read to avoid a second rounding.
    constexpr std::int64_t kExact = std::int64_t{1} << 53;
    if (m_units >= -kExact && m_units <= kExact)
        return static_cast<double>(m_units) / 10000.0;

    const bool negative = m_units < 0;
    const std::uint64_t magnitude = negative ? 0 - static_cast<std::uint64_t>(m_units)
                                             : static_cast<std::uint64_t>(m_units);
    const QString text = QStringLiteral("%1%2.%3")
                             .arg(negative ? QStringLiteral("-") : QString())
                             .arg(magnitude / 10000)
                             .arg(magnitude % 10000, kDecimals, 10, QChar(u'0'));
    return text.toDouble();
}
