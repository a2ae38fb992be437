#include "store/FileHealth.h"

#include "store/Connection.h"
#include "store/StoreError.h"

#include <QFile>

#include <sqlite3.h>

namespace store {

namespace {
// An Access file starts with four bytes of page header, then its format's name.
constexpr qsizetype kSignatureOffset = 4;
const QByteArray kJetSignature = QByteArrayLiteral("Standard Jet DB");
const QByteArray kAceSignature = QByteArrayLiteral("Standard ACE DB");

const QString kQuickCheck = QStringLiteral("PRAGMA quick_check");
const QString kWhole = QStringLiteral("ok");
} // namespace

bool hasAccessSignature(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray start = file.read(kSignatureOffset + kJetSignature.size());
    const QByteArray name = start.mid(kSignatureOffset);
    return name == kJetSignature || name == kAceSignature;
}

QStringList fileProblems(Connection& connection)
{
    QStringList problems;
    try {
        QSqlQuery check = connection.run(kQuickCheck);
        while (check.next()) {
            const QString line = check.value(0).toString();
            if (line != kWhole)
                problems << line;
        }
    } catch (const StoreError& error) {
        if (!isDamage(error.number()))
            throw;
        problems << error.description();
    }
    return problems;
}

bool isDamage(int storeCode)
{
    // Extended codes keep the primary code in their low byte.
    const int primary = storeCode & 0xff;
    return storeCode > 0 && primary == SQLITE_CORRUPT;
}

bool isNotADatabase(int storeCode)
{
    return storeCode > 0 && (storeCode & 0xff) == SQLITE_NOTADB;
}

} // namespace store
