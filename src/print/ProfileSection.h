#pragma once

#include <QHash>
#include <QString>

namespace print {

// The keys and values of one section of a settings file of the
// "[section]" / "key=value" kind. Section and key names are matched without
// regard to letter case; keys are returned lower-cased. Values lose the blanks
// around them and one pair of enclosing double quotes. A missing file or
// section gives an empty set. The file is only read.
QHash<QString, QString> readProfileSection(const QString& filePath, const QString& section);

// The same, from text already read.
QHash<QString, QString> parseProfileSection(const QString& text, const QString& section);

} // namespace print
