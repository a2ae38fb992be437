#pragma once

#include <QString>

namespace store {

// A text as the program's searches compare it: letter case folded, accents
// and other marks dropped (é is e, Ø is o, ß is ss), compatibility forms made
// plain (ﬁ is fi, ２ is 2), line breaks made blanks.
QString foldForSearch(const QString& text);

// A name as two of them are told apart: folded as for search, every blank
// dropped, so "Zoë  Müller" and "zoe muller" are one name.
QString nameKey(const QString& name);

} // namespace store
