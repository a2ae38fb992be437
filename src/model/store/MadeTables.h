#pragma once

#include "model/store/Backend.h"

#include <QHash>
#include <QString>
#include <QStringList>

namespace store {

// Every table the program makes on a backend, by its name in lower case, with
// its columns' names in lower case, as the program's own CREATE statements
// give them: what a database must hold before anything is read from it.
QHash<QString, QStringList> madeTables(Backend backend);

} // namespace store
