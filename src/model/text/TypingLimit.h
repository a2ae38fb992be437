#pragma once

#include <QString>

// The typing limit of a one-line field, as plain text rules so they can be
// tested without a screen. A limit counts characters as the user sees them
// (an accented letter, an emoji with its skin tone, a flag), never UTF-16 units.
namespace text {

// The number of characters as the user sees them.
qsizetype visibleLength(const QString& text);

// Each line break (CR LF, CR, LF, or a Unicode line or paragraph separator)
// and each tab becomes one blank, so pasted lines stay on the field's one line.
QString onOneLine(const QString& text);

struct FieldText {
    QString text;
    int cursor = 0;
    bool operator==(const FieldText&) const = default;
};

// What the field holds after the user changed `before` into `after` (cursor
// at `cursor`) by typing, pasting or dropping text. Line breaks and tabs in
// what came in become blanks; then what came in is cut, at a character boundary, so
// that the field holds no more than `limit` characters, or no more than it
// held before when a stored value was already longer: a long stored value can
// be corrected in place, but never grows.
FieldText limitedEdit(const QString& before, const QString& after, int cursor, int limit);

} // namespace text
