#pragma once

#include "WindowServices.h"

class QWidget;

// The window services on Qt's dialogs.
class QtWindowServices : public WindowServices
{
public:
    // Dialogs are centred on the parent; it may be set later.
    void setParentWidget(QWidget *parent) { m_parent = parent; }

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

    // "label|pattern|label|pattern" as Qt's "label (pattern);;label (pattern)".
    static QString qtFilter(const QString &filter);

private:
    QWidget *m_parent = nullptr;
};
