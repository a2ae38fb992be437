#pragma once

#include <QString>

#include <optional>

// The private-profile text format of tly2.ini: "[section]" lines followed by
// "key=value" lines. Section and key names match without regard to case; a
// line starting with ';' is a comment. Values are kept whole, whatever their length.
namespace profile {

// The value of key in section of a file's text, or nothing when the section
// or key is missing. A key present with nothing after '=' gives an empty text.
std::optional<QString> valueIn(const QString& text, const QString& section, const QString& key);

// The file's text with key set to value: the value is replaced in place, or the
// key is added at the end of its section, or the section is added at the end.
// Every other line stays exactly as it was.
QString withValue(const QString& text, const QString& section, const QString& key,
                  const QString& value);

// Reads key from the file at path; the default when the file, section or key is missing.
QString readString(const QString& path, const QString& section, const QString& key,
                   const QString& defaultValue);

// Writes key into the file at path, creating the file when it is missing.
// False when the file could not be written.
bool writeString(const QString& path, const QString& section, const QString& key,
                 const QString& value);

} // namespace profile
