#include "contract/NumberText.h"

bool isNumericText(const QString&) { return false; }
std::optional<double> textToDouble(const QString&) { return std::nullopt; }
std::optional<std::int16_t> textToInt16(const QString&) { return std::nullopt; }
