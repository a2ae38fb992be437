#include "model/store/MadeTables.h"

#include "model/store/Schema.h"
#include "model/store/WriteToken.h"

#include <QRegularExpression>

namespace store {

namespace {

// The definitions between a CREATE TABLE's parentheses, split at the commas
// outside any inner parentheses (a key of two columns keeps its comma).
QStringList definitions(const QString& body)
{
    QStringList found;
    int depth = 0;
    qsizetype start = 0;
    for (qsizetype i = 0; i < body.size(); ++i) {
        if (body[i] == QLatin1Char('('))
            ++depth;
        else if (body[i] == QLatin1Char(')'))
            --depth;
        else if (body[i] == QLatin1Char(',') && depth == 0) {
            found << body.mid(start, i - start).trimmed();
            start = i + 1;
        }
    }
    found << body.mid(start).trimmed();
    return found;
}

bool isTableConstraint(const QString& word)
{
    static const QStringList constraints{QStringLiteral("PRIMARY"), QStringLiteral("UNIQUE"),
                                         QStringLiteral("CHECK"), QStringLiteral("CONSTRAINT"),
                                         QStringLiteral("FOREIGN"), QStringLiteral("EXCLUDE")};
    return constraints.contains(word, Qt::CaseInsensitive);
}

} // namespace

QHash<QString, QStringList> madeTables(Backend backend)
{
    static const QRegularExpression create(QStringLiteral("^CREATE TABLE (\\w+) \\((.*)\\)$"),
                                           QRegularExpression::DotMatchesEverythingOption);
    QHash<QString, QStringList> tables;
    for (const QString& statement : schemaStatements(backend) + writeTokensCreateStatements()) {
        const QRegularExpressionMatch match = create.match(statement);
        if (!match.hasMatch())
            continue;
        QStringList& columns = tables[match.captured(1).toLower()];
        for (const QString& definition : definitions(match.captured(2))) {
            const QString name = definition.section(QLatin1Char(' '), 0, 0);
            if (!name.isEmpty() && !isTableConstraint(name))
                columns << name.toLower();
        }
    }
    return tables;
}

} // namespace store
