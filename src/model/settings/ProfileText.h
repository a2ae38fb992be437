#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// The private-profile format of tly2.ini, kept as bytes: "[section]" lines
// followed by "key=value" lines. Section and key names match without regard to
// case; a line starting with ';' is a comment; lines end in CR LF, LF or CR,
// mixed freely. Only the first section of a name counts, and in it the first
// line of a key. An office edits this file by hand in whatever editor it has,
// so a write changes the bytes of one value (or adds one line) and nothing else:
// no re-encoding, no new line endings, the byte-order mark and blank lines kept.
namespace profile {

// The value of key in section, or nothing when the section or key is missing.
// A key present with nothing after '=' gives an empty text. Blanks around the
// value and one pair of enclosing double quotes are dropped. Bytes that are
// valid UTF-8 are read as UTF-8, anything else as Latin-1.
std::optional<QString> valueIn(const QByteArray& file, const QString& section, const QString& key);

// The file with key set to value: the old value's bytes replaced in place, or a
// line added after the last non-blank line of the section, or the section added
// at the end. A new line ends like the line before it. The value is written as
// UTF-8, quoted when reading it back would otherwise lose its blanks or quotes.
// Nothing when the value cannot be kept on one line (it holds a line break).
std::optional<QByteArray> withValue(const QByteArray& file, const QString& section, const QString& key,
                                    const QString& value);

} // namespace profile
