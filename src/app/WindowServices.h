#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// What a file dialog is to show, and what the user chose in it.
struct FileDialogRequest
{
    QString title;
    QString filter;   // "label|pattern|label|pattern"
    QString folder;   // where the dialog starts
    QString path;     // in: a preset name; out: the chosen file's full path
    QString fileName; // out: the chosen file's bare name
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
    virtual void showMessage(const QString &prompt, MessageIcon icon = MessageIcon::None,
                             const QString &title = QString()) = 0;

    // The text as typed, untrimmed; Cancel gives an empty text.
    virtual QString askText(const QString &prompt, const QString &title = QString(),
                             const QString &defaultText = QString()) = 0;

    // A question answered by one of the buttons (their captions, in order).
    // Returns the index of the button chosen; Return chooses defaultButton,
    // Escape or closing the box gives -1.
    virtual int askChoice(const QString &prompt, const QString &title,
                          const QStringList &buttons, int defaultButton) = 0;

    // The same input box for a caller that must tell Cancel from an empty
    // answer: no value on Cancel.
    virtual std::optional<QString> askTextOrCancel(const QString &prompt,
                                                   const QString &title = QString(),
                                                   const QString &defaultText = QString()) = 0;

    // An input box whose answer may be typed or picked from a list of
    // choices. Cancel gives an empty text, as for askText.
    virtual QString askTextFromList(const QString &prompt, const QString &title,
                                    const QStringList &choices, const QString &defaultText) = 0;

    // The open-file dialog. On OK sets request.path and request.fileName
    // and returns true; on Cancel leaves them and returns false.
    virtual bool askOpenFile(FileDialogRequest &request) = 0;

    // A save-file dialog for a table that must go somewhere else; the full
    // path chosen, or empty when the user cancelled.
    virtual QString askSaveFileName(const QString &title, const QString &initialPath,
                                    const QString &filter) = 0;

    // Lets every pending event be handled before returning.
    virtual void processEvents() = 0;

    virtual QString currentFolder() const = 0;
    virtual bool setCurrentFolder(const QString &folder) = 0;

    // Starts another program and returns at once; false when it could not
    // be started.
    virtual bool startProgram(const QString &program, const QStringList &arguments,
                              const QString &workingFolder) = 0;
};
