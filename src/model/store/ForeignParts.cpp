#include "model/store/ForeignParts.h"

#include "model/store/Backend.h"
#include "model/store/Connection.h"
#include "model/store/ListChanges.h"
#include "model/store/Schema.h"

#include <QHash>
#include <QRegularExpression>
#include <QSet>

namespace store {

namespace {

// SQLite's own rule for what a declared type makes of a stored value; the
// server's type names fall into the same families.
QString affinity(const QString& declared)
{
    const QString type = declared.toUpper();
    if (type.contains(QLatin1String("INT")))
        return QStringLiteral("INTEGER");
    if (type.contains(QLatin1String("CHAR")) || type.contains(QLatin1String("CLOB")) ||
        type.contains(QLatin1String("TEXT")))
        return QStringLiteral("TEXT");
    if (type.isEmpty() || type.contains(QLatin1String("BLOB")))
        return QStringLiteral("BLOB");
    if (type.contains(QLatin1String("REAL")) || type.contains(QLatin1String("FLOA")) ||
        type.contains(QLatin1String("DOUB")))
        return QStringLiteral("REAL");
    return QStringLiteral("NUMERIC");
}

// Each column's declared type, by its name in lower case, as the program's
// own CREATE of the table gives it: "ID INTEGER PRIMARY KEY ...", "Tax TEXT".
QHash<QString, QString> designedTypes(Backend backend, const TableDesign& design)
{
    const QString create = createTableStatement(backend, design.name, design.key, design.columns);
    const QString definitions = create.section(QLatin1Char('('), 1).chopped(1);
    QHash<QString, QString> types;
    for (const QString& definition : definitions.split(QStringLiteral(", "))) {
        const QStringList words = definition.split(QLatin1Char(' '));
        types.insert(words.value(0).toLower(), words.value(1));
    }
    return types;
}

// One column of a database as it is.
struct FoundColumn {
    QString name;
    QString type;
    bool key = false;
    bool notNull = false;
    bool hasDefault = false;
};

// The program's columns of one table compared with how the program makes them.
void compareColumns(Backend backend, const TableDesign& design, const QList<FoundColumn>& found, QStringList& parts)
{
    const QHash<QString, QString> designed = designedTypes(backend, design);
    const QString keyName = design.key.toLower();
    int keys = 0;
    bool keyIsInteger = false;
    for (const FoundColumn& column : found) {
        const QString name = column.name.toLower();
        keys += column.key ? 1 : 0;
        if (name == keyName) {
            keyIsInteger = column.key && affinity(column.type) == affinity(designed.value(keyName)) &&
                           (backend == Backend::Server || column.type.compare(designed.value(keyName),
                                                                                Qt::CaseInsensitive) == 0);
            continue;
        }
        if (!designed.contains(name))
            continue;
        const QString where = design.name + QLatin1Char('.') + column.name;
        if (affinity(column.type) != affinity(designed.value(name)))
            parts << QStringLiteral("%1 is of type %2, not %3.").arg(where, column.type, designed.value(name));
        if (column.notNull)
            parts << QStringLiteral("%1 may not be empty.").arg(where);
        if (column.hasDefault)
            parts << QStringLiteral("%1 has a value of its own for rows that leave it empty.").arg(where);
    }
    // On the file only a key declared INTEGER PRIMARY KEY, alone, numbers the rows.
    if (!keyIsInteger || keys != 1)
        parts << QStringLiteral("%1.%2 is not an integer key.").arg(design.name, design.key);
}

QStringList fileParts(Connection& connection)
{
    QStringList parts;
    const QStringList own = schemaStatements(Backend::File);
    QSqlQuery objects = connection.run(
        QStringLiteral("SELECT type, name, tbl_name, sql FROM sqlite_master WHERE type IN ('trigger', 'view') "
                       "ORDER BY name"));
    while (objects.next()) {
        if (own.contains(objects.value(3).toString()))
            continue;
        parts << (objects.value(0).toString() == QLatin1String("view")
                      ? QStringLiteral("View %1 was not made by QUILLON.").arg(objects.value(1).toString())
                      : QStringLiteral("Trigger %1 on %2 was not made by QUILLON.")
                            .arg(objects.value(1).toString(), objects.value(2).toString()));
    }
    for (const TableDesign& design : tableDesigns()) {
        // The name is the program's own, never the user's.
        QSqlQuery info = connection.run(QStringLiteral("PRAGMA table_info(%1)").arg(design.name));
        QList<FoundColumn> found;
        while (info.next())
            found.append({info.value(1).toString(), info.value(2).toString(), info.value(5).toInt() > 0,
                          info.value(3).toInt() != 0, !info.value(4).isNull()});
        compareColumns(Backend::File, design, found, parts);
    }
    return parts;
}

// The triggers the program makes on the server, by name in lower case, and
// the bodies each function they call may have: this release's, or an earlier
// one's that the start-up then replaces.
struct ServerOwn {
    QSet<QString> triggers;
    QMultiHash<QString, QString> functionBodies;
};

ServerOwn serverOwn()
{
    static const QRegularExpression trigger(QStringLiteral("^CREATE TRIGGER (\\w+)"));
    static const QRegularExpression function(QStringLiteral("^CREATE FUNCTION (\\w+)\\(.*?\\$\\$(.*)\\$\\$"),
                                             QRegularExpression::DotMatchesEverythingOption);
    ServerOwn own;
    for (const QString& statement : schemaStatements(Backend::Server) + earlierServerCountFunctions()) {
        if (const auto match = trigger.match(statement); match.hasMatch())
            own.triggers.insert(match.captured(1).toLower());
        if (const auto match = function.match(statement); match.hasMatch())
            own.functionBodies.insert(match.captured(1).toLower(), match.captured(2));
    }
    return own;
}

QStringList serverParts(Connection& connection)
{
    QStringList parts;
    const ServerOwn own = serverOwn();
    QSqlQuery triggers = connection.run(QStringLiteral(
        "SELECT t.tgname, c.relname, p.proname, p.prosrc FROM pg_trigger t "
        "JOIN pg_class c ON c.oid = t.tgrelid JOIN pg_proc p ON p.oid = t.tgfoid "
        "WHERE NOT t.tgisinternal AND c.relnamespace = current_schema()::regnamespace ORDER BY t.tgname"));
    while (triggers.next()) {
        const QString name = triggers.value(0).toString(), function = triggers.value(2).toString();
        if (own.triggers.contains(name.toLower()) &&
            own.functionBodies.contains(function.toLower(), triggers.value(3).toString()))
            continue;
        parts << QStringLiteral("Trigger %1 on %2 was not made by QUILLON.").arg(name, triggers.value(1).toString());
    }
    QSqlQuery views = connection.run(QStringLiteral(
        "SELECT table_name FROM information_schema.views WHERE table_schema = current_schema() ORDER BY 1"));
    while (views.next())
        parts << QStringLiteral("View %1 was not made by QUILLON.").arg(views.value(0).toString());
    QSqlQuery rules = connection.run(QStringLiteral(
        "SELECT rulename, tablename FROM pg_rules WHERE schemaname = current_schema() ORDER BY 1"));
    while (rules.next())
        parts << QStringLiteral("Rule %1 on %2 was not made by QUILLON.")
                     .arg(rules.value(0).toString(), rules.value(1).toString());
    // Row-level security hides rows from the program or refuses its writes without a word.
    QSqlQuery secured = connection.run(QStringLiteral(
        "SELECT c.relname FROM pg_class c WHERE c.relnamespace = current_schema()::regnamespace "
        "AND (c.relrowsecurity OR c.relforcerowsecurity OR EXISTS (SELECT 1 FROM pg_policy p WHERE p.polrelid = c.oid)) "
        "ORDER BY 1"));
    while (secured.next())
        parts << QStringLiteral("Row-level security on %1 was not set by QUILLON.").arg(secured.value(0).toString());
    // Every table's key and columns in two statements, not two a table: each costs a round trip.
    QStringList tables;
    for (const TableDesign& design : tableDesigns())
        tables << design.name.toLower();
    const QString named = tables.join(QLatin1Char(','));
    QSqlQuery keys = connection.run(QStringLiteral(
        "SELECT c.table_name, k.column_name FROM information_schema.table_constraints c "
        "JOIN information_schema.key_column_usage k ON k.constraint_name = c.constraint_name "
        "AND k.table_schema = c.table_schema AND k.table_name = c.table_name "
        "WHERE c.constraint_type = 'PRIMARY KEY' AND c.table_schema = current_schema() "
        "AND c.table_name = ANY (string_to_array(?, ','))"), {named});
    QSet<std::pair<QString, QString>> keyColumns;
    while (keys.next())
        keyColumns.insert({keys.value(0).toString(), keys.value(1).toString()});
    QSqlQuery columns = connection.run(QStringLiteral(
        "SELECT table_name, column_name, data_type, is_nullable, column_default FROM information_schema.columns "
        "WHERE table_schema = current_schema() AND table_name = ANY (string_to_array(?, ',')) "
        "ORDER BY table_name, ordinal_position"), {named});
    QHash<QString, QList<FoundColumn>> found;
    while (columns.next()) {
        const QString table = columns.value(0).toString(), name = columns.value(1).toString();
        found[table].append({name, columns.value(2).toString(), keyColumns.contains({table, name}),
                             columns.value(3).toString() == QLatin1String("NO"), !columns.value(4).isNull()});
    }
    for (const TableDesign& design : tableDesigns())
        compareColumns(Backend::Server, design, found.value(design.name.toLower()), parts);
    return parts;
}

} // namespace

QStringList foreignParts(Connection& connection)
{
    return connection.backend() == Backend::Server ? serverParts(connection) : fileParts(connection);
}

} // namespace store
