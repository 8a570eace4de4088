#pragma once

#include <QString>

// What makes two paths one table: the file they reach, not how they are
// spelled. "Plot Tables/x.plt", "./Plot Tables/../Plot Tables/x.plt" and a
// symbolic link to it all name one file, and so share one window, one
// recovery journal and one lock.
class TableFileKey
{
public:
    // file: a path already resolved below the program folder (see
    // ProgramFolder::tableFile). The canonical path of an existing file;
    // for one not there (yet), its absolute path cleaned of "." and "..",
    // with its folder made canonical where that exists.
    static QString of(const QString &file);
};
