#pragma once

#include <QString>

// The machine-wide settings where the program records its folder, so that
// other programs can find it. On Windows this is the registry under
// HKEY_LOCAL_MACHINE. Elsewhere it is one INI file in the first folder of
// XDG_CONFIG_DIRS (/etc/xdg by default), "Brindlemoor/Quenbrack.ini", with
// a section per key path. Nothing here reports failure: a user without the
// right to write there simply leaves the settings as they were.
namespace MachineSettings {

// Creates the key (a path such as "Software\Brindlemoor") when missing.
void createKey(const QString &keyPath);
void setValue(const QString &keyPath, const QString &valueName, const QString &value);

// Records the program folder as "Path" under the program's own key, with
// the keys above it.
void recordProgramFolder(const QString &folder);

// Where the settings file lives on this platform (empty on Windows).
QString storePath();

} // namespace MachineSettings
