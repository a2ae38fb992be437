#include "model/settings/ProgramFolder.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

#include <unistd.h>

namespace {

// Where packages and administrators put programs.
bool isSystemFolder(const QString& canonical)
{
    static const QStringList roots{QStringLiteral("/usr"), QStringLiteral("/bin"),  QStringLiteral("/sbin"),
                                   QStringLiteral("/lib"), QStringLiteral("/lib64"), QStringLiteral("/opt"),
                                   QStringLiteral("/etc"), QStringLiteral("/snap")};
    for (const QString& root : roots)
        if (canonical == root || canonical.startsWith(root + QLatin1Char('/')))
            return true;
    return canonical == QStringLiteral("/");
}

// Permission bits do not tell whether this user can write (an administrator
// passes them, a read-only mount does not show in them): creating a file does.
bool canCreateFileIn(const QString& folder)
{
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral("tly2-XXXXXX")));
    return probe.open();
}

} // namespace

ProgramFolder classifyProgramFolder(const QString& folder)
{
    const QFileInfo info(folder);
    if (!info.isDir())
        return ProgramFolder::Installed;
    if (info.permissions() & (QFile::WriteGroup | QFile::WriteOther))
        return ProgramFolder::OpenToOthers;
    if (info.ownerId() != ::geteuid() || isSystemFolder(info.canonicalFilePath()) || !canCreateFileIn(folder))
        return ProgramFolder::Installed;
    return ProgramFolder::Own;
}
