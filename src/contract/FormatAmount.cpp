#include "contract/FormatAmount.h"

QString numberToText(double) { return {}; }
QString FormatAmountText(const QString&) { return {}; }
QString FormatAmount(double) { return {}; }
