#pragma once

#include <QHash>
#include <QString>

// Resolves names below the program folder the way the program's own
// platform does: without regard to letter case. The program spells its
// icon folder both "Icons" and "icons", and icon sets copied from elsewhere
// may hold ICON_3.JPG. Each component is taken as written when it exists,
// otherwise the entry whose name matches without regard to case.
//
// One resolver serves one operation: it remembers each folder's listing it
// had to read, so that counting thousands of icons lists the set's folder
// once, and a later operation sees files added in the meantime.
class CaseInsensitivePath
{
public:
    explicit CaseInsensitivePath(const QString &root);

    // relative: components separated by "/" or "\". Returns root + "/" +
    // the resolved components; a component that matches nothing is kept
    // as written, so the result then names a missing file.
    QString resolve(const QString &relative) const;

    // Looks one name up in an existing folder (a result of resolve).
    QString resolveIn(const QString &folder, const QString &name) const;

    const QString &root() const { return m_root; }

private:
    struct Listing
    {
        QHash<QString, QString> exact; // name -> name
        QHash<QString, QString> folded; // case-folded name -> first name
    };
    const Listing &listing(const QString &folder) const;

    QString m_root;
    mutable QHash<QString, Listing> m_listings;
};
