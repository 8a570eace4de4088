#pragma once

#include <QByteArray>
#include <QStringList>
#include <QObject>
#include <QString>
#include <QTimer>

// Tells when an open table's file holds other bytes than the window knows:
// another program, another user or a synchronising tool wrote it. Those
// tools often write a new file and rename it over the old one, which ends
// the system's watch of the old file, so the folder is watched as well and
// the file is watched again after each change. A network folder may send
// no notice at all, so the file is also looked at every two seconds.
//
// Only the bytes count: a new time alone (touch, a copy that keeps the
// content) is no change.
//
// The system allows a user only so many watches (128 on Linux, for all
// the user's programs together), so every table of the program shares one,
// each path counted by how many tables want it.
class TableWatcher : public QObject
{
    Q_OBJECT
public:
    explicit TableWatcher(QObject *parent = nullptr);
    ~TableWatcher() override;

    // Starts watching file, whose bytes the window holds now.
    void watch(const QString &file, const QByteArray &bytes);
    void stop();

    // Looks at the file now rather than when the next notice comes.
    void check();

signals:
    // The file's bytes differ from the ones known; they are now the known
    // ones, so one change is said once.
    void changed(const QByteArray &bytes);

private:
    struct Stamp
    {
        bool exists = false;
        qint64 size = 0;
        qint64 modifiedNs = 0;
        qint64 changedNs = 0;
        quint64 inode = 0;
        bool operator==(const Stamp &other) const;
    };
    static Stamp stampOf(const QString &file);
    void noticed(const QString &path);
    void watchAgain();
    void want(const QString &path);
    void unwant(const QString &path);

    QStringList m_wanted;
    QTimer m_settle; // a writer's notices come in bursts
    QTimer m_poll;
    QString m_file;
    QByteArray m_hash;
    Stamp m_stamp;
};
