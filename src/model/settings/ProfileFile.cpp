#include "model/settings/ProfileFile.h"

#include <QFile>
#include <QSaveFile>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace profile {

namespace {

// A settings file holds a few short lines; anything larger is not one.
constexpr qint64 kLargestFile = 1024 * 1024;

struct Contents {
    std::optional<QByteArray> bytes;
    QString problem;
};

QString systemWords(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// Why a file of this kind and size is no settings file; empty when it can be one.
QString kindProblem(const struct stat& info)
{
    if (!S_ISREG(info.st_mode))
        return QStringLiteral("it is not a regular file");
    if (info.st_size > kLargestFile)
        return QStringLiteral("it is larger than 1 MiB");
    return {};
}

// The file's bytes; an empty file when it does not exist, nothing (and why)
// when it cannot be read. Only a regular file of at most kLargestFile is
// opened, without waiting, and no more than that is read, so a pipe, a device
// or a huge file can neither hold up nor exhaust the start-up.
Contents contentsOf(const QString& path)
{
    if (path.isEmpty())
        return {};
    const QByteArray name = QFile::encodeName(path);
    struct stat info {};
    if (::stat(name.constData(), &info) != 0)
        return errno == ENOENT ? Contents{QByteArray(), {}} : Contents{std::nullopt, systemWords(errno)};
    if (const QString problem = kindProblem(info); !problem.isEmpty())
        return {std::nullopt, problem};
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return {std::nullopt, systemWords(errno)};
    // What was opened is looked at again: the name may have been given to
    // another file meanwhile.
    Contents result{QByteArray(), ::fstat(fd, &info) == 0 ? kindProblem(info) : systemWords(errno)};
    char buffer[16384];
    while (result.problem.isEmpty()) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got == 0)
            break;
        if (got < 0 && errno != EINTR)
            result.problem = systemWords(errno);
        else if (got > 0)
            result.bytes->append(buffer, got);
        if (result.bytes->size() > kLargestFile)
            result.problem = QStringLiteral("it is larger than 1 MiB");
    }
    ::close(fd);
    if (!result.problem.isEmpty())
        result.bytes.reset();
    return result;
}

} // namespace

QString settingsFileProblem(const QString& path)
{
    return contentsOf(path).problem;
}

std::optional<QString> readValue(const QString& path, const QString& section, const QString& key)
{
    const std::optional<QByteArray> bytes = contentsOf(path).bytes;
    return bytes ? valueIn(*bytes, section, key) : std::nullopt;
}

QString readString(const QString& path, const QString& section, const QString& key,
                   const QString& defaultValue)
{
    return readValue(path, section, key).value_or(defaultValue);
}

bool writeStrings(const QString& path, const QString& section,
                  const QList<std::pair<QString, QString>>& entries)
{
    // A file that is there but cannot be read is never replaced: its other
    // sections would be lost.
    const std::optional<QByteArray> before = contentsOf(path).bytes;
    if (!before)
        return false;
    QByteArray after = *before;
    for (const auto& [key, value] : entries) {
        const std::optional<QByteArray> changed = withValue(after, section, key, value);
        if (!changed)
            return false;
        after = *changed;
    }
    if (after == *before && QFile::exists(path))
        return true;

    // Written whole to a new file that then takes the old one's place, so a
    // failure never leaves half a settings file behind.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(after);
    return file.commit();
}

bool writeString(const QString& path, const QString& section, const QString& key,
                 const QString& value)
{
    return writeStrings(path, section, {{key, value}});
}

} // namespace profile
