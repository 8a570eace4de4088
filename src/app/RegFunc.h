#pragma once

#include <QString>

// The settings store. On Windows these are the registry under the
// machine-wide root. Elsewhere the machine-wide root is one INI file in the
// first folder of XDG_CONFIG_DIRS (/etc/xdg by default),
// "Brindlemoor/Quenbrack.ini", with a section per key path. Neither
// operation reports failure: a user without the right to write there
// simply leaves the store as it was.
namespace RegFunc {

enum Root { HKEY_LOCAL_MACHINE };

void CreateKey(Root root, const QString &keyPath);
void SetKeyValue(Root root, const QString &keyPath, const QString &valueName,
                 const QString &value);

// Where the machine-wide root lives on this platform (empty on Windows).
QString machineStorePath();

} // namespace RegFunc
