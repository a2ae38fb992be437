#pragma once

#include "store/Place.h"

#include <QString>

// The [server] section of tly2.ini names the office server.
using ServerSettings = store::ServerAddress;

// Reads [server] from the settings file at iniPath; missing keys take their
// defaults, and a port that is not a number from 1 to 65535 reads as 5432.
ServerSettings readServerSettings(const QString& iniPath);
