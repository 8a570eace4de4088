#pragma once

#include "WindowServices.h"

#include <QList>
#include <QQueue>
#include <QStringList>

#include <functional>
#include <optional>

// A test double for the window services: records every call and answers
// input boxes and dialogs from a script, in order. A call with no scripted
// answer gets Cancel, and is counted, so a test can see that the program
// asked something it did not expect.
class ScriptedServices : public WindowServices
{
public:
    struct Call
    {
        Call(QString kind, QString text = {}, QString title = {},
             MessageIcon icon = MessageIcon::None, QString defaultText = {})
            : kind(std::move(kind)), text(std::move(text)), title(std::move(title)), icon(icon),
              defaultText(std::move(defaultText))
        {
        }
        QString kind; // "message", "askText", "askChoice", "openFile", "saveFile", "startProgram"
        QString text; // prompt or message text, or the program
        QString title;
        MessageIcon icon;
        QString defaultText;
        FileDialogRequest dialog; // openFile: the request as shown
        QStringList arguments; // startProgram: its arguments; askChoice: the choices
        QString folder;
    };

    // Answers, consumed in order by the calls of that kind. Input boxes
    // (askText, askTextOrCancel, askTextFromList) share one queue.
    void answerInput(const QString &answer) { m_inputs.enqueue(answer); }
    // Cancel in the next input box, which askTextOrCancel can tell apart.
    void cancelInput() { m_inputs.enqueue(std::nullopt); }
    // The index of the button to choose in the next askChoice(); -1 is
    // Escape. An unscripted question takes its default button.
    void answerChoice(int button) { m_choices.enqueue(button); }
    // An empty path cancels the dialog.
    void answerOpen(const QString &path) { m_opens.enqueue(path); }
    void answerSave(const QString &path) { m_saves.enqueue(path); }
    // Run when a message box is shown, e.g. to check state at that moment.
    void onMessage(std::function<void(const Call &)> hook) { m_messageHook = std::move(hook); }
    // Run when an input box is shown.
    void onInput(std::function<void(const Call &)> hook) { m_inputHook = std::move(hook); }

    QList<Call> calls;
    int unscripted = 0;
    bool programStarts = true;

    QList<Call> callsOf(const QString &kind) const;

    void showMessage(const QString &prompt, MessageIcon icon, const QString &title) override;
    QString askText(const QString &prompt, const QString &title, const QString &defaultText) override
    {
        return askTextOrCancel(prompt, title, defaultText).value_or(QString());
    }
    int askChoice(const QString &prompt, const QString &title, const QStringList &buttons,
                  int defaultButton) override;
    std::optional<QString> askTextOrCancel(const QString &prompt, const QString &title,
                                           const QString &defaultText) override;
    QString askTextFromList(const QString &prompt, const QString &title,
                            const QStringList &choices, const QString &defaultText) override;
    bool askOpenFile(FileDialogRequest &request) override;
    QString askSaveFileName(const QString &title, const QString &initialPath,
                            const QString &filter) override;
    void processEvents() override;
    QString currentFolder() const override;
    bool setCurrentFolder(const QString &folder) override;
    bool startProgram(const QString &program, const QStringList &arguments,
                      const QString &workingFolder) override;

private:
    // The title shown: the program's when the caller gives none.
    static QString titled(const QString &title);
    // Records the call and gives the next scripted answer of its kind.
    QString answer(Call call, QQueue<QString> &answers);

    // The next scripted input box answer; none (Cancel) when unscripted.
    std::optional<QString> nextInput(const Call &call);

    QQueue<std::optional<QString>> m_inputs;
    QQueue<QString> m_opens;
    QQueue<QString> m_saves;
    QQueue<int> m_choices;
    std::function<void(const Call &)> m_messageHook;
    std::function<void(const Call &)> m_inputHook;
};
