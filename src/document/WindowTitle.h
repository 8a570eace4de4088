#pragma once

#include <QString>

class QWidget;

// Window titles that name a file. Qt turns a "[*]" in a title into the
// mark of an unsaved change (or nothing), and shows a literal "[*]" only
// when written twice; a file's path goes in with its own "[*]" doubled,
// so that the path shows as it is and the mark where it belongs.
namespace WindowTitle {

// The title for a window of a file: the path, what is said of it, then
// the change mark.
QString forFile(const QString &path, const QString &said = QString());
// What the title shows: the change mark resolved as Qt resolves it.
QString shown(const QString &title, bool modified);
QString shown(const QWidget *window);

} // namespace WindowTitle
