#pragma once

#include "model/settings/ProfileText.h"

#include <QList>
#include <QString>

#include <optional>
#include <utility>

// Reading and writing tly2.ini on disk; the format itself is in ProfileText.h.
namespace profile {

// Why the settings file at path cannot be read (it is not a regular file, it
// is larger than 1 MiB, or the system's words); empty when it can, or when
// there is no such file. A file that cannot be read is taken as missing.
QString settingsFileProblem(const QString& path);

// The value of key, or nothing when the file, section or key is missing.
std::optional<QString> readValue(const QString& path, const QString& section, const QString& key);

// Reads key from the file at path; the default when the file, section or key is missing.
QString readString(const QString& path, const QString& section, const QString& key,
                   const QString& defaultValue);

// Sets every key of entries, in their order, in one replacement of the file,
// creating it when it is missing. False, with the file as it was, when the file
// exists but cannot be read, a value cannot be written, or the new file cannot be put in place.
bool writeStrings(const QString& path, const QString& section,
                  const QList<std::pair<QString, QString>>& entries);

bool writeString(const QString& path, const QString& section, const QString& key,
                 const QString& value);

} // namespace profile
