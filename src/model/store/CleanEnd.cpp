#include "model/store/CleanEnd.h"

#include "model/store/PrivateFiles.h"
#include "model/store/Schema.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <atomic>

#include <sys/stat.h>

namespace store {

namespace {

std::atomic<int> g_damageMet{0};

// SQLite counts every committed change of a file in its header (bytes 24 to 27).
constexpr qint64 kChangeCounterOffset = 24;

// How the file stands: empty when it cannot be read.
QByteArray standing(const QString& path)
{
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0 || !S_ISREG(info.st_mode))
        return {};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || !file.seek(kChangeCounterOffset))
        return {};
    const QByteArray counter = file.read(4);
    if (counter.size() != 4)
        return {};
    // The schema, too: a version of the program that gives files another
    // finds an earlier one's mark no match, and brings the file up to its own.
    return QByteArrayLiteral("QUILLON clean end 2, schema ") + fileSchemaDigest() + '\n' +
           QByteArray::number(qulonglong(info.st_dev)) + ' ' + QByteArray::number(qulonglong(info.st_ino)) + ' ' +
           QByteArray::number(qlonglong(info.st_size)) + ' ' + QByteArray::number(qlonglong(info.st_mtim.tv_sec)) +
           '.' + QByteArray::number(qlonglong(info.st_mtim.tv_nsec)) + ' ' + QByteArray::number(qlonglong(info.st_ctim.tv_sec)) +
           '.' + QByteArray::number(qlonglong(info.st_ctim.tv_nsec)) + ' ' + counter.toHex() + '\n';
}

} // namespace

QString cleanEndMarkPath(const QString& path)
{
    const QFileInfo file(path);
    return file.absolutePath() + QStringLiteral("/.") + file.fileName() + QStringLiteral(".clean");
}

void markCleanEnd(const QString& path)
{
    const QByteArray mark = standing(path);
    if (mark.isEmpty())
        return;
    QSaveFile file(cleanEndMarkPath(path));
    if (file.open(QIODevice::WriteOnly) && file.write(mark) == mark.size() && file.commit())
        closeToOthers(cleanEndMarkPath(path));
}

bool takeCleanEndMark(const QString& path)
{
    QFile file(cleanEndMarkPath(path));
    if (!file.open(QIODevice::ReadOnly))
        return false;
    // Nothing of the mark's is worth reading past its few lines.
    const QByteArray mark = file.read(512);
    file.close();
    const bool removed = QFile::remove(file.fileName());
    return removed && !mark.isEmpty() && mark == standing(path);
}

int damageMet()
{
    return g_damageMet.load();
}

void noteDamageMet()
{
    ++g_damageMet;
}

} // namespace store
