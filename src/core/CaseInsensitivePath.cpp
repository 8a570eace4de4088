#include "CaseInsensitivePath.h"

#include <QDir>
#include <QFileInfo>

CaseInsensitivePath::CaseInsensitivePath(const QString &root)
    : m_root(root)
{
    while (m_root.size() > 1 && (m_root.endsWith(u'/') || m_root.endsWith(u'\\')))
        m_root.chop(1);
}

const CaseInsensitivePath::Listing &CaseInsensitivePath::listing(const QString &folder) const
{
    auto found = m_listings.constFind(folder);
    if (found != m_listings.constEnd())
        return *found;
    Listing entries;
    // Unsorted: sorting thousands of names costs more than listing them.
    // Of names alike without regard to case, the first in name order is the
    // one kept, as a sorted listing would give it first.
    const QStringList names = QDir(folder).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Unsorted);
    entries.exact.reserve(names.size());
    entries.folded.reserve(names.size());
    for (const QString &name : names) {
        entries.exact.insert(name, name);
        QString &first = entries.folded[name.toCaseFolded()];
        if (first.isNull() || name < first)
            first = name;
    }
    return *m_listings.insert(folder, entries);
}

namespace {
QString joined(const QString &folder, const QString &name)
{
    return folder.endsWith(u'/') ? folder + name : folder + u'/' + name;
}
} // namespace

QString CaseInsensitivePath::resolveIn(const QString &folder, const QString &name) const
{
    if (name.isEmpty() || name == u"." || name == u"..")
        return joined(folder, name);
    // Names are nearly always spelled as on disk. Until a folder had to be
    // listed, a look at the one name spares listing it: an icon set's
    // folder holds thousands of files.
    if (!m_listings.contains(folder)) {
        const QString exact = joined(folder, name);
        if (QFileInfo::exists(exact))
            return exact;
    }
    const Listing &entries = listing(folder);
    if (entries.exact.contains(name))
        return joined(folder, name);
    const auto match = entries.folded.constFind(name.toCaseFolded());
    return joined(folder, match != entries.folded.constEnd() ? *match : name);
}

QString CaseInsensitivePath::resolve(const QString &relative) const
{
    QString path = m_root;
    const QStringList parts = QString(relative).replace(u'\\', u'/').split(u'/');
    for (const QString &part : parts) {
        if (part.isEmpty())
            continue;
        path = resolveIn(path, part);
    }
    return path;
}
