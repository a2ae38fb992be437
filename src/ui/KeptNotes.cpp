#include "ui/KeptNotes.h"

#include "session/Session.h"
#include "ui/PdfFileName.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace ui {

QString keptNotesFolder(const Session& session)
{
    const QString notes = QStringLiteral("notes");
    if (session.Server.namesServer())
        return QDir(session.env.userDataFolder).filePath(notes);
    return QFileInfo(session.DBPath).absoluteDir().filePath(notes);
}

QString keptNoteName(qint64 id, const QString& dba, const QDate& day)
{
    const QString name = fileNameFrom(dba);
    const QString date = day.toString(QStringLiteral("yyyy-MM-dd"));
    return QString::number(id) + QLatin1Char(' ') + (name.isEmpty() ? date : name + QLatin1Char(' ') + date) +
           QStringLiteral(".pdf");
}

QString findKeptNote(const QString& folder, qint64 id)
{
    // The blank after the ID keeps contract 12 from finding the note of contract 123.
    const QDir dir(folder);
    const QStringList found =
        dir.entryList({QString::number(id) + QStringLiteral(" *.pdf")}, QDir::Files, QDir::Name);
    return found.isEmpty() ? QString() : dir.filePath(found.first());
}

} // namespace ui
