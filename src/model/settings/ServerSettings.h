#pragma once

#include "model/store/Place.h"

#include <QString>

// The [server] section of tly2.ini names the office server.
using ServerSettings = store::ServerAddress;

// Reads [server] from the settings file at iniPath; missing keys take their
// defaults, and a port (or a list of ports) that holds anything but numbers
// from 1 to 65535 reads as 5432.
ServerSettings readServerSettings(const QString& iniPath);
