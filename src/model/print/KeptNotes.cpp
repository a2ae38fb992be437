#include "model/print/KeptNotes.h"

#include "model/print/PdfFileName.h"
#include "model/session/Session.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

#include <cerrno>
#include <unistd.h>

namespace print {

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

namespace {

// Taken names of one contract's notes get a number, as a saved PDF's do.
constexpr int kNameTries = 1000;

QString numberedName(const QString& name, int number)
{
    return number == 1 ? name : name.chopped(4) + QStringLiteral(" (%1).pdf").arg(number);
}

// The ID a kept note's name starts with, 0 when it starts otherwise.
qint64 idOfNote(const QString& name)
{
    bool ok = false;
    const qint64 id = name.section(QLatin1Char(' '), 0, 0).toLongLong(&ok);
    return ok && id > 0 ? id : 0;
}

} // namespace

QString findKeptNote(const QString& folder, qint64 id, const QString& dba, const QDate& day)
{
    // The blank after the ID keeps contract 12 from finding the note of contract 123;
    // the rest of the name keeps it from another contract's note under its ID.
    const QDir dir(folder);
    const QString name = keptNoteName(id, dba, day);
    const QString numbered = name.chopped(4) + QStringLiteral(" (");
    const QStringList found =
        dir.entryList({QString::number(id) + QStringLiteral(" *.pdf")}, QDir::Files, QDir::Name);
    for (const QString& entry : found) {
        if (entry == name)
            return dir.filePath(entry);
    }
    for (const QString& entry : found) {
        bool isNumber = false;
        if (entry.startsWith(numbered) && entry.endsWith(QStringLiteral(").pdf")))
            entry.mid(numbered.size(), entry.size() - numbered.size() - 5).toInt(&isNumber);
        if (isNumber)
            return dir.filePath(entry);
    }
    return {};
}

qint64 highestKeptNoteId(const QString& folder)
{
    qint64 highest = 0;
    for (const QString& name : QDir(folder).entryList({QStringLiteral("*.pdf")}, QDir::Files))
        highest = std::max(highest, idOfNote(name));
    return highest;
}

QString keepNoteFile(const QString& written, const QString& folder, qint64 id, const QString& dba, const QDate& day)
{
    const QByteArray from = QFile::encodeName(written);
    const QDir dir(folder);
    const QString name = keptNoteName(id, dba, day);
    QString kept;
    for (int number = 1; number <= kNameTries && kept.isEmpty(); ++number) {
        // A new link fails on a name that is there, where a rename would replace it.
        const QString path = dir.filePath(numberedName(name, number));
        if (::link(from.constData(), QFile::encodeName(path).constData()) == 0)
            kept = path;
        else if (errno != EEXIST)
            break;
    }
    QFile::remove(written);
    return kept;
}

} // namespace print
