#include "model/settings/DatabaseLocation.h"

namespace {

const QString kDefaultWindowsDrive = QStringLiteral("c:");
const QString kDefaultName = QStringLiteral("project.mdb");
const QString kSettingsFileName = QStringLiteral("tly2.ini");

QString withTrailingSeparator(const QString& folder, PathStyle style)
{
    const QChar separator = pathSeparator(style);
    return folder.endsWith(separator) ? folder : folder + separator;
}

} // namespace

QChar pathSeparator(PathStyle style)
{
    return style == PathStyle::Windows ? QLatin1Char('\\') : QLatin1Char('/');
}

QString settingsFilePath(const QString& folder, PathStyle style)
{
    return withTrailingSeparator(folder, style) + kSettingsFileName;
}

DatabaseLocation locationFromSettings(const StoredLocation& stored, PathStyle style,
                                      const QString& userDataFolder)
{
    DatabaseLocation location;
    if (style == PathStyle::Windows) {
        location.drive = stored.dbdrive.value_or(kDefaultWindowsDrive);
        location.dir = stored.dbdir.value_or(QString());
    } else {
        location.drive = stored.dbdrive.value_or(QString());
        location.dir = stored.dbdir.value_or(userDataFolder);
    }
    // Only the folder gets a separator: a stored "Data" after drive "c:" gives
    // c:Data\, exactly as it was always read.
    location.dir = withTrailingSeparator(location.dir, style);
    location.name = stored.dbname.value_or(kDefaultName);
    return location;
}

DatabaseLocation locationFromPath(const QString& path, PathStyle style)
{
    const qsizetype lastSeparator = path.lastIndexOf(pathSeparator(style));
    DatabaseLocation location;
    if (style == PathStyle::Windows) {
        location.drive = path.left(2);
        // From the third character through the last backslash; a path whose
        // only backslash lies inside the drive part has no folder.
        if (lastSeparator >= 2)
            location.dir = path.mid(2, lastSeparator - 1);
        location.name = lastSeparator >= 0 ? path.mid(lastSeparator + 1) : path.mid(2);
    } else {
        location.dir = path.left(lastSeparator + 1);
        location.name = path.mid(lastSeparator + 1);
    }
    return location;
}
