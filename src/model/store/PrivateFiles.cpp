#include "model/store/PrivateFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace store {

namespace {
constexpr QFile::Permissions kOwnerOnly = QFile::ReadOwner | QFile::WriteOwner;
} // namespace

bool makePrivateFolder(const QString& path)
{
    const QFileInfo info(path);
    if (info.isDir())
        return true;
    const QString parent = info.absolutePath();
    if (parent != info.absoluteFilePath() && !makePrivateFolder(parent))
        return false;
    // Made with the mode, not changed after: there is no moment when others may look in.
    return QDir().mkdir(info.absoluteFilePath(), kOwnerOnly | QFile::ExeOwner) || QFileInfo(path).isDir();
}

bool createPrivateFile(const QString& path, QString* why)
{
    QFile file(path);
    if (!file.open(QIODevice::NewOnly | QIODevice::WriteOnly, kOwnerOnly)) {
        if (why)
            *why = file.errorString();
        return false;
    }
    return true;
}

void closeToOthers(const QString& path)
{
    const QFile::Permissions now = QFile::permissions(path);
    QFile::setPermissions(path, now & (QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
}

bool copyToPrivateFile(const QString& from, const QString& to, QString* why)
{
    QFile source(from);
    if (!source.open(QIODevice::ReadOnly)) {
        if (why)
            *why = source.errorString();
        return false;
    }
    QFile target(to);
    if (!target.open(QIODevice::NewOnly | QIODevice::WriteOnly, kOwnerOnly)) {
        if (why)
            *why = target.errorString();
        return false;
    }
    constexpr qint64 kChunk = 1 << 20;
    while (!source.atEnd()) {
        const QByteArray chunk = source.read(kChunk);
        if (source.error() != QFile::NoError || target.write(chunk) != chunk.size()) {
            if (why)
                *why = source.error() != QFile::NoError ? source.errorString() : target.errorString();
            target.remove();
            return false;
        }
    }
    if (!target.flush()) {
        if (why)
            *why = target.errorString();
        target.remove();
        return false;
    }
    return true;
}

} // namespace store
