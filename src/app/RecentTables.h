#pragma once

#include <QObject>
#include <QStringList>

// The tables the user opened last, newest first, kept in the user's own
// settings so that the list survives the program. A path is kept as the
// absolute path of its file, so that a table opened by a relative name on
// the command line is found again from anywhere.
class RecentTables : public QObject
{
    Q_OBJECT
public:
    static constexpr int MaxCount = 10;

    explicit RecentTables(QObject *parent = nullptr);

    QStringList paths() const;

    // Puts a path first, once, and drops the oldest beyond the limit.
    void add(const QString &path);
    void remove(const QString &path);

signals:
    void changed();

private:
    void store(const QStringList &paths);
};
