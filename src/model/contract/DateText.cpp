#include "model/contract/DateText.h"

#include <QRegularExpression>

namespace {

int centuryYear(int twoDigitYear)
{
    return twoDigitYear < 30 ? 2000 + twoDigitYear : 1900 + twoDigitYear;
}

// Four-digit years outside this range are typing slips (1024 for 2024), and the
// date picker cannot hold them either.
constexpr int kFirstYear = 1900;
constexpr int kLastYear = 2099;

std::optional<QDate> realDate(int year, int month, int day)
{
    if (year < kFirstYear || year > kLastYear || !QDate::isValid(year, month, day))
        return std::nullopt;
    return QDate(year, month, day);
}

} // namespace

QString FormatShortDate(const QString& text)
{
    if (text.size() != 6 || text.contains(u'/') || text.contains(u'-'))
        return text;
    return text.left(2) + u'/' + text.mid(2, 2) + u'/' + text.mid(4);
}

std::optional<QDate> readUsDate(const QString& text)
{
    // [0-9] rather than \d: other scripts' digits are not dates here.
    static const QRegularExpression usOrder(QStringLiteral(
        "^([0-9]{1,2})([/-])([0-9]{1,2})\\2([0-9]{2}|[0-9]{4})$"));
    static const QRegularExpression isoOrder(QStringLiteral(
        "^([0-9]{4})-([0-9]{2})-([0-9]{2})$"));

    // Six characters other than digits become "xx/xx/xx" and match nothing.
    const QString typed = FormatShortDate(text.trimmed());

    if (const QRegularExpressionMatch m = usOrder.match(typed); m.hasMatch()) {
        const QString year = m.captured(4);
        const int y = year.size() == 2 ? centuryYear(year.toInt()) : year.toInt();
        return realDate(y, m.captured(1).toInt(), m.captured(3).toInt());
    }
    if (const QRegularExpressionMatch m = isoOrder.match(typed); m.hasMatch())
        return realDate(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
    return std::nullopt;
}

std::optional<QDate> earliestDate(const QStringList& dateTexts)
{
    std::optional<QDate> earliest;
    for (const QString& text : dateTexts) {
        if (text.isEmpty())
            continue;
        const std::optional<QDate> date = readUsDate(text);
        if (date && (!earliest || *date < *earliest))
            earliest = date;
    }
    return earliest;
}

QList<int> unreadableDates(const QStringList& dateTexts)
{
    QList<int> positions;
    for (int i = 0; i < dateTexts.size(); ++i) {
        if (!dateTexts[i].isEmpty() && !readUsDate(dateTexts[i]))
            positions.append(i);
    }
    return positions;
}

QDate firstInstallmentDate(const QDate& earliestInception)
{
    if (!earliestInception.isValid())
        return {};
    const QDate firstOfNextMonth = QDate(earliestInception.year(), earliestInception.month(), 1).addMonths(1);
    const int day = qMin(earliestInception.day(), firstOfNextMonth.daysInMonth());
    return QDate(firstOfNextMonth.year(), firstOfNextMonth.month(), day);
}

QString usDate(const QDate& date)
{
    if (!date.isValid())
        return {};
    return QStringLiteral("%1/%2/%3").arg(date.month()).arg(date.day()).arg(date.year());
}

QString usDateTime(const QDateTime& dateTime)
{
    if (!dateTime.isValid())
        return {};
    const QTime time = dateTime.time();
    const int hour12 = time.hour() % 12 == 0 ? 12 : time.hour() % 12;
    return QStringLiteral("%1 %2:%3:%4 %5")
        .arg(usDate(dateTime.date()))
        .arg(hour12)
        .arg(time.minute(), 2, 10, QChar(u'0'))
        .arg(time.second(), 2, 10, QChar(u'0'))
        .arg(time.hour() < 12 ? QStringLiteral("AM") : QStringLiteral("PM"));
}
