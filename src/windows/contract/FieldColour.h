#pragma once

#include <QColor>

class QLineEdit;

// A field whose text a rule cannot use turns yellow until it is corrected.
namespace fieldcolour {

inline const QColor kValid{255, 255, 255};
inline const QColor kInvalid{255, 255, 0};

void mark(QLineEdit* field, bool valid);
QColor of(const QLineEdit* field);

} // namespace fieldcolour
