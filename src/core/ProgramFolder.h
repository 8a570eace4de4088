#pragma once

#include <QString>

// The folder the program runs from, and everything it keeps below it: the
// plot tables, the background pictures and the icon sets. Names below it
// are matched without regard to letter case, as on the platform the tables
// come from; each call looks at the disk as it is now, so files added
// meanwhile are found.
class ProgramFolder
{
public:
    explicit ProgramFolder(const QString &path);

    const QString &path() const { return m_path; }

    // A path below the folder ("Plot Templates/harbour.jpg"), resolved.
    QString resolve(const QString &relative) const;

    // The file of a table as the user named it: relative to the folder, or
    // absolute; either way resolved without regard to case below it.
    QString tableFile(const QString &path) const;

    // The folders as the user is shown them, with the native separator.
    QString tablesFolder() const;
    QString templatesFolder() const;

    QString templateFile(const QString &backgroundName) const;
    QString iconFile(const QString &iconSetName, const QString &pictureKey) const;
    // How many icons the set offers (see IconSet::count).
    qint16 iconSetSize(const QString &iconSetName) const;

    // True when path is a file that opens for reading.
    static bool isReadableFile(const QString &path);

private:
    QString m_path;
};
