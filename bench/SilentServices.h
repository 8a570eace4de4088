#pragma once

#include "WindowServices.h"

// Window services that never wait for anyone: a benchmark has no user to
// answer a message box or a dialog, and must not start other programs.
class SilentServices : public WindowServices
{
public:
    void showMessage(const QString &prompt, MessageIcon icon, const QString &title) override;
    QString askText(const QString &prompt, const QString &title,
                    const QString &defaultText) override;
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

    // Message boxes that would have been shown: a run that meets one has
    // measured something other than the path it meant to.
    int messages = 0;
};
