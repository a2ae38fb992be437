#include "people/NameKey.h"

#include "store/FoldedText.h"

#include <QRegularExpression>

namespace people {

QString nameKey(const QString& name)
{
    // Plain ASCII names, nearly all of them, need no Unicode folding.
    QString key;
    key.reserve(name.size());
    for (const QChar ch : name) {
        if (ch.unicode() >= 0x80)
            return store::foldForSearch(name).remove(QRegularExpression(QStringLiteral("\\s")));
        if (!ch.isSpace())
            key += ch.toLower();
    }
    return key;
}

} // namespace people
