#pragma once

#include <QString>

namespace people {

// A name as two of them are told apart: folded as for search, every blank
// dropped, so "Zoë  Müller" and "zoe muller" are one name.
QString nameKey(const QString& name);

} // namespace people
