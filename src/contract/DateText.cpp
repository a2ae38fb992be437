#include "contract/DateText.h"

QString FormatShortDate(const QString& text) { return text; }
std::optional<QDate> readUsDate(const QString&) { return std::nullopt; }
QDate firstInstallmentDate(const QDate& d) { return d; }
QString usDate(const QDate&) { return {}; }
QString usDateTime(const QDateTime&) { return {}; }
