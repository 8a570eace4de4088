#pragma once

#include <QLabel>
#include <QStringList>

// What the empty workspace says over its compass rose: how to begin, and
// the tables opened last as links. It shows only while no window is open
// in the workspace. Its links take the keyboard too: Tab moves between
// them, Enter follows one.
class StartPage : public QLabel
{
    Q_OBJECT
public:
    explicit StartPage(QWidget *parent = nullptr);

    void setRecentTables(const QStringList &paths);

signals:
    void openRequested();
    void newRequested();
    void recentRequested(const QString &path);

private:
    void followLink(const QString &link);
    void compose();

    QStringList m_recent;
};
