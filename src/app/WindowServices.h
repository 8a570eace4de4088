#pragma once

#include <QString>
#include <QStringList>

// The file dialog `cd` of the main window. Its settings are plain values
// that keep what the last command set, as each command sets only the ones
// it needs.
struct CommonDialog
{
    // The dialog leaves the current folder as it was.
    static constexpr int NoChangeDir = 8;

    QString DialogTitle;
    QString Filter;     // "label|pattern|label|pattern"
    QString InitDir;
    QString FileName;   // in: preset name; out: the chosen file's full path
    QString FileTitle;  // out: the chosen file's bare name
    int Flags = 0;
    bool CancelError = false;
};

enum class MessageIcon { None, Exclamation, Information };

// Everything the program asks of the windowing platform that waits for the
// user or reaches outside the program. The editor goes through this
// interface only, so that tests can script the user's answers and see each
// text, title and icon that would have been shown.
class WindowServices
{
public:
    static QString applicationTitle() { return QStringLiteral("Quenbrack"); }

    virtual ~WindowServices() = default;

    // A message box with OK. An empty title shows the application title.
    virtual void MsgBox(const QString &prompt, MessageIcon icon = MessageIcon::None,
                        const QString &title = QString()) = 0;

    // The text as typed, untrimmed; Cancel gives an empty text.
    virtual QString InputBox(const QString &prompt, const QString &title = QString(),
                             const QString &defaultText = QString()) = 0;

    // The open-file dialog. On OK sets cd.FileName and cd.FileTitle and
    // returns true; on Cancel leaves them and returns false (a failure when
    // cd.CancelError is set, which every caller absorbs).
    virtual bool ShowOpen(CommonDialog &cd) = 0;

    // A save-file dialog for a table that must go somewhere else; the full
    // path chosen, or empty when the user cancelled.
    virtual QString ShowSave(const QString &title, const QString &initialPath,
                             const QString &filter) = 0;

    // Lets every pending event be handled before returning.
    virtual void DoEvents() = 0;

    virtual QString currentFolder() const = 0;
    virtual bool setCurrentFolder(const QString &folder) = 0;

    // Starts another program and returns at once; false when it could not
    // be started.
    virtual bool startProgram(const QString &program, const QStringList &arguments,
                              const QString &workingFolder) = 0;
};
