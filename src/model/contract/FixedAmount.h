#pragma once

#include <QString>

#include <cstdint>
#include <optional>

// A money amount held exactly in ten-thousandths (four decimals) in 64 bits,
// the form the section sums are added in.
class FixedAmount {
public:
    FixedAmount() = default;
    static FixedAmount fromUnits(std::int64_t tenThousandths) { return FixedAmount(tenThousandths); }

    // Converts typed money text (see isNumericText) rounding half to even at
    // the fourth decimal. Empty when the text is not a number or the value is
    // beyond the 64-bit range.
    static std::optional<FixedAmount> fromText(const QString& text);

    // The sum, or empty when it leaves the 64-bit range.
    std::optional<FixedAmount> plus(FixedAmount other) const;

    std::int64_t units() const { return m_units; }
    double toDouble() const;

    friend bool operator==(FixedAmount, FixedAmount) = default;

private:
    explicit FixedAmount(std::int64_t units) : m_units(units) {}
    std::int64_t m_units = 0;
};
