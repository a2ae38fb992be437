#include "app/AboutText.h"

#include "session/Session.h"

#include <QDir>
#include <QFileInfo>

QString aboutText(const Session& session)
{
    // Shown in the desktop's own form, so the user can find the files.
    const QString settings = QFileInfo::exists(session.IniPath)
                                 ? QDir::toNativeSeparators(session.IniPath)
                                 : QDir::toNativeSeparators(session.IniPath) +
                                       QStringLiteral(" (not there; defaults in use)");
    const QString database = session.Server.namesServer() ? session.Server.displayName()
                                                          : QDir::toNativeSeparators(session.DBPath);
    return QStringLiteral("QUILLON\nVersion %1\n\nDatabase: %2\nSettings file: %3")
        .arg(session.Version, database, settings);
}
