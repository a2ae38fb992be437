#include "model/store/ServerCatalog.h"

#include "model/store/AddedIndexes.h"
#include "model/store/Connection.h"
#include "model/store/ListChanges.h"
#include "model/store/MadeTables.h"
#include "model/store/Place.h"
#include "model/store/PrivateFiles.h"
#include "model/store/Schema.h"
#include "model/store/StoreError.h"
#include "model/store/WriteToken.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QSet>
#include <QRegularExpression>
#include <QSqlQuery>
#include <QStringList>

namespace store {

namespace {

// The relations the check can meet: those of the schema the program works in,
// and any other a table name could reach through the search path. Every text
// comes from the server's own rendering of its catalog, one line per part; a
// NULL part would drop out of the aggregate, so each is made plain text.
const QString kStanding = QStringLiteral(
    "WITH Rel AS (SELECT c.oid, n.nspname || '.' || c.relname AS name, c.relkind, c.relrowsecurity, "
    "c.relforcerowsecurity FROM pg_catalog.pg_class c JOIN pg_catalog.pg_namespace n ON n.oid = c.relnamespace "
    "WHERE n.nspname NOT IN ('pg_catalog', 'information_schema') AND n.nspname NOT LIKE 'pg\\_toast%' "
    "AND (c.relnamespace = current_schema()::regnamespace OR pg_catalog.pg_table_is_visible(c.oid))) "
    "SELECT pg_catalog.pg_is_in_recovery(), (SELECT pg_catalog.string_agg(Part, E'\\n' ORDER BY Part) FROM ("
    "SELECT 'schema ' || coalesce(current_schema(), '-') || ' ' || current_user AS Part "
    "UNION ALL SELECT 'relation ' || name || ' ' || relkind::text || ' ' || relrowsecurity || ' ' || relforcerowsecurity "
    "FROM Rel "
    "UNION ALL SELECT 'column ' || r.name || '.' || a.attname || ' ' || pg_catalog.format_type(a.atttypid, a.atttypmod) "
    "|| ' ' || a.attnotnull || ' ' || coalesce(pg_catalog.pg_get_expr(d.adbin, d.adrelid), '-') "
    "FROM Rel r JOIN pg_catalog.pg_attribute a ON a.attrelid = r.oid "
    "LEFT JOIN pg_catalog.pg_attrdef d ON d.adrelid = a.attrelid AND d.adnum = a.attnum "
    "WHERE a.attnum > 0 AND NOT a.attisdropped "
    "UNION ALL SELECT 'constraint ' || r.name || ' ' || o.conname || ' ' || pg_catalog.pg_get_constraintdef(o.oid) "
    "FROM Rel r JOIN pg_catalog.pg_constraint o ON o.conrelid = r.oid "
    "UNION ALL SELECT 'index ' || pg_catalog.pg_get_indexdef(i.indexrelid) "
    "FROM Rel r JOIN pg_catalog.pg_index i ON i.indrelid = r.oid "
    "UNION ALL SELECT 'trigger ' || pg_catalog.pg_get_triggerdef(t.oid) || ' ' || t.tgenabled::text || ' ' || p.prosrc "
    "FROM Rel r JOIN pg_catalog.pg_trigger t ON t.tgrelid = r.oid JOIN pg_catalog.pg_proc p ON p.oid = t.tgfoid "
    "WHERE NOT t.tgisinternal "
    "UNION ALL SELECT 'rule ' || r.name || ' ' || w.rulename || ' ' || pg_catalog.pg_get_ruledef(w.oid) "
    "FROM Rel r JOIN pg_catalog.pg_rewrite w ON w.ev_class = r.oid "
    "UNION ALL SELECT 'policy ' || r.name || ' ' || p.polname || ' ' || p.polcmd::text || ' ' || p.polpermissive || ' ' "
    "|| coalesce(pg_catalog.pg_get_expr(p.polqual, p.polrelid), '-') || ' ' "
    "|| coalesce(pg_catalog.pg_get_expr(p.polwithcheck, p.polrelid), '-') "
    "FROM Rel r JOIN pg_catalog.pg_policy p ON p.polrelid = r.oid "
    "UNION ALL SELECT 'function ' || p.oid::regprocedure || ' ' || p.prosrc FROM pg_catalog.pg_proc p "
    "WHERE p.pronamespace = current_schema()::regnamespace) AS Parts), "
    "pg_catalog.obj_description(pg_catalog.to_regclass('schemaversion'), 'pg_class')");

// The catalogs found whole are kept in the comment of the table that holds
// the schema's version: a comment is no part of the catalog the digest covers.
const QString kVouchesPrefix = QStringLiteral("Catalogs QUILLON found whole:");
// Desks of other logins or releases may each have their own digest.
constexpr int kKeptVouches = 8;

bool isDigest(const QString& word)
{
    static const QRegularExpression hex(QStringLiteral("^[0-9a-f]{64}$"));
    return hex.match(word).hasMatch();
}

// Whether the catalog's parts hold every table the program makes, a plain
// table in the schema the program works in, with every column of it.
bool holdsMadeTables(const QString& parts)
{
    QString schema;
    QSet<QString> found;
    for (const QString& part : parts.split(QLatin1Char('\n'))) {
        const QString kind = part.section(QLatin1Char(' '), 0, 0);
        if (kind == QLatin1String("schema"))
            schema = part.section(QLatin1Char(' '), 1, 1);
        else if (kind == QLatin1String("relation"))
            found.insert(part.section(QLatin1Char(' '), 0, 2));
        else if (kind == QLatin1String("column"))
            found.insert(part.section(QLatin1Char(' '), 0, 1));
    }
    if (schema.isEmpty() || schema == QLatin1String("-"))
        return false;
    static const QHash<QString, QStringList> made = madeTables(Backend::Server);
    for (auto table = made.cbegin(); table != made.cend(); ++table) {
        const QString name = schema + QLatin1Char('.') + table.key();
        if (!found.contains(QStringLiteral("relation ") + name + QStringLiteral(" r")))
            return false;
        for (const QString& column : table.value())
            if (!found.contains(QStringLiteral("column ") + name + QLatin1Char('.') + column))
                return false;
    }
    return true;
}

// What this program makes on the server: a program that makes something else
// (an added column, a new function body) never takes an older mark for its own.
QByteArray programSchema()
{
    const QStringList own = schemaStatements(Backend::Server) + addedIndexStatements() +
                            writeTokensCreateStatements() + earlierServerCountFunctions() +
                            QStringList{QString::number(kSchemaVersion)};
    return own.join(QLatin1Char('\n')).toUtf8();
}

QString markPath(const QString& folder, const ServerAddress& address)
{
    const QString identity = QStringList{address.host, address.service, address.port, address.dbname, address.user,
                                         connectionOptions(address)}
                                 .join(QLatin1Char('\n'));
    const QByteArray name = QCryptographicHash::hash(identity.toUtf8(), QCryptographicHash::Sha256).toHex().left(24);
    return QDir(folder).filePath(QStringLiteral(".server-") + QString::fromLatin1(name) + QStringLiteral(".checked"));
}

} // namespace

ServerStanding readServerStanding(Connection& connection)
{
    QSqlQuery query = connection.run(kStanding, {});
    ServerStanding standing;
    if (!query.next())
        return standing;
    standing.standby = query.value(0).toBool();
    QCryptographicHash digest(QCryptographicHash::Sha256);
    digest.addData(programSchema());
    digest.addData(QByteArrayLiteral("\n--\n"));
    digest.addData(query.value(1).toString().toUtf8());
    standing.catalogDigest = digest.result().toHex();
    standing.holdsMadeTables = holdsMadeTables(query.value(1).toString());
    const QString comment = query.value(2).toString();
    if (comment.startsWith(kVouchesPrefix))
        for (const QString& word : comment.mid(kVouchesPrefix.size()).split(QLatin1Char(' '), Qt::SkipEmptyParts))
            if (isDigest(word))
                standing.vouchedOnServer << word.toLatin1();
    return standing;
}

bool catalogVouched(const QString& folder, const ServerAddress& address, const QByteArray& digest)
{
    QFile file(markPath(folder, address));
    if (digest.isEmpty() || !file.open(QIODevice::ReadOnly))
        return false;
    return file.read(256).trimmed() == digest;
}

void vouchCatalog(const QString& folder, const ServerAddress& address, const QByteArray& digest)
{
    if (digest.isEmpty() || !makePrivateFolder(folder))
        return;
    const QString path = markPath(folder, address);
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(digest + '\n') == digest.size() + 1 && file.commit())
        closeToOthers(path);
}

void vouchCatalogOnServer(Connection& connection, const ServerStanding& standing)
{
    QStringList kept{QString::fromLatin1(standing.catalogDigest)};
    for (const QByteArray& earlier : standing.vouchedOnServer)
        if (earlier != standing.catalogDigest && kept.size() < kKeptVouches)
            kept << QString::fromLatin1(earlier);
    for (const QString& digest : kept)
        if (!isDigest(digest))
            return;
    // COMMENT takes no bound values; what goes in is only this program's own hex digests.
    try {
        connection.runUnprepared(QStringLiteral("COMMENT ON TABLE SchemaVersion IS '%1 %2'")
                                     .arg(kVouchesPrefix, kept.join(QLatin1Char(' '))));
    } catch (const StoreError&) {
        // A login that does not own the table leaves the shortcut to each desk's own mark.
    }
}

} // namespace store
