// Typed amounts: the three readers agree on what is a number and on its value.
#include "FuzzInput.h"
#include "model/contract/FixedAmount.h"
#include "model/contract/NumberText.h"

#include <cmath>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString text = fuzzText(data, size);
    const bool numeric = isNumericText(text);
    const std::optional<NumericParts> parts = splitNumericText(text);
    const std::optional<FixedAmount> fixed = FixedAmount::fromText(text);
    const std::optional<double> value = textToDouble(text);
    const std::optional<std::int16_t> whole = textToInt16(text);

    FUZZ_CHECK(!numeric || (parts && fixed));
    // Known: a number closer to zero than any double (0. and 330 zeros, then 1)
    // passes as a number that textToDouble cannot give; nothing else may.
    const bool belowEveryDouble = numeric && !value && fixed->units() == 0;
    FUZZ_CHECK(!numeric || value || belowEveryDouble);
    FUZZ_CHECK(!parts || !(parts->wholeDigits.isEmpty() && parts->fractionDigits.isEmpty()));
    FUZZ_CHECK(!fixed || parts);
    if (fixed && value) {
        // Four decimals rounded half to even are within half a ten-thousandth of the double.
        FUZZ_CHECK(std::fabs(fixed->toDouble() - *value) <= 0.00005 + 1e-12 * std::fabs(*value));
        const std::optional<FixedAmount> doubled = fixed->plus(*fixed);
        FUZZ_CHECK(!doubled || doubled->units() / 2 == fixed->units());
    }
    if (whole && !belowEveryDouble) {
        FUZZ_CHECK(value);
        FUZZ_CHECK(std::fabs(*whole - *value) <= 0.5);
    }
    return 0;
}
