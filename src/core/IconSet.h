#pragma once

#include <QString>

class CaseInsensitivePath;

// An icon set is the folder Icons/<set> of the program folder holding the
// unbroken run icon_1.jpg, icon_2.jpg, ... Letter case of the folder and
// file names does not matter.
namespace IconSet {

// Relative path of icon picture `key` (a number as text) of a set.
QString picturePath(const QString &iconSetName, const QString &key);

// The size N of the set: icon_1.jpg to icon_N.jpg open for reading and
// icon_N+1.jpg does not. A set folder that does not exist counts 0, so
// the palette offers no icon of it. Counting stops at 32767.
qint16 count(const CaseInsensitivePath &paths, const QString &iconSetName);

} // namespace IconSet
