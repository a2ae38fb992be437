#pragma once

#include <QString>

namespace history {

// A stored Run (yyyy-MM-ddTHH:mm:ss, as saving writes it) as the grid shows
// it: 12/6/2026 8:53:52 PM. A text that is not such a date and time is shown
// as stored.
QString runShownText(const QString& stored);

} // namespace history
