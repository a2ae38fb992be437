#include "model/store/FoldedText.h"

#include <QRegularExpression>

#include <algorithm>

namespace store {

namespace {

// Letters that carry their mark inside them, so that decomposing leaves them whole.
QString plainLetter(char32_t c)
{
    switch (c) {
    case U'ß': return QStringLiteral("ss");
    case U'æ': return QStringLiteral("ae");
    case U'œ': return QStringLiteral("oe");
    case U'ø': return QStringLiteral("o");
    case U'ł': return QStringLiteral("l");
    case U'đ': case U'ð': return QStringLiteral("d");
    case U'ħ': return QStringLiteral("h");
    case U'ı': return QStringLiteral("i");
    case U'þ': return QStringLiteral("th");
    default: return {};
    }
}

bool isMark(char32_t c)
{
    switch (QChar::category(c)) {
    case QChar::Mark_NonSpacing:
    case QChar::Mark_SpacingCombining:
    case QChar::Mark_Enclosing:
        return true;
    default:
        return false;
    }
}

} // namespace

QString foldForSearch(const QString& text)
{
    // Plain ASCII, most names and every policy number, has nothing to decompose.
    const bool plain = std::all_of(text.begin(), text.end(), [](QChar c) {
        return c.unicode() < 0x80 && c != QLatin1Char('\n') && c != QLatin1Char('\r');
    });
    if (plain)
        return text.toLower();
    const QList<uint> points = text.normalized(QString::NormalizationForm_KD).toUcs4();
    QString folded;
    folded.reserve(points.size());
    for (const uint point : points) {
        const char32_t c = QChar::toCaseFolded(char32_t(point));
        if (isMark(c))
            continue;
        if (const QString plain = plainLetter(c); !plain.isEmpty())
            folded += plain;
        else if (c == U'\n' || c == U'\r')
            folded += QLatin1Char(' ');
        else
            folded += QStringView(QChar::fromUcs4(c));
    }
    return folded;
}

QString nameKey(const QString& name)
{
    // Plain ASCII names, nearly all of them, need no Unicode folding.
    QString key;
    key.reserve(name.size());
    for (const QChar ch : name) {
        if (ch.unicode() >= 0x80)
            return foldForSearch(name).remove(QRegularExpression(QStringLiteral("\\s")));
        if (!ch.isSpace())
            key += ch.toLower();
    }
    return key;
}

} // namespace store
