#include "ScriptedServices.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

QList<ScriptedServices::Call> ScriptedServices::callsOf(const QString &kind) const
{
    QList<Call> found;
    for (const Call &call : calls)
        if (call.kind == kind)
            found.append(call);
    return found;
}

QString ScriptedServices::titled(const QString &title)
{
    return title.isEmpty() ? applicationTitle() : title;
}

QString ScriptedServices::answer(Call call, QQueue<QString> &answers)
{
    calls.append(call);
    if (answers.isEmpty())
        ++unscripted;
    return answers.isEmpty() ? QString() : answers.dequeue();
}

void ScriptedServices::showMessage(const QString &prompt, MessageIcon icon, const QString &title)
{
    calls.append({QStringLiteral("message"), prompt, titled(title), icon});
    if (m_messageHook)
        m_messageHook(calls.last());
}

std::optional<QString> ScriptedServices::nextInput(const Call &call)
{
    calls.append(call);
    if (m_inputHook)
        m_inputHook(call);
    if (m_inputs.isEmpty())
        ++unscripted;
    return m_inputs.isEmpty() ? std::nullopt : m_inputs.dequeue();
}

std::optional<QString> ScriptedServices::askTextOrCancel(const QString &prompt, const QString &title,
                                                         const QString &defaultText)
{
    return nextInput({QStringLiteral("askText"), prompt, titled(title), MessageIcon::None, defaultText});
}

QString ScriptedServices::askTextFromList(const QString &prompt, const QString &title,
                                          const QStringList &choices, const QString &defaultText)
{
    Call call{QStringLiteral("askTextFromList"), prompt, titled(title), MessageIcon::None, defaultText};
    call.arguments = choices;
    return nextInput(call).value_or(QString());
}

int ScriptedServices::askChoice(const QString &prompt, const QString &title,
                                const QStringList &buttons, int defaultButton)
{
    Call call{QStringLiteral("askChoice"), prompt, titled(title)};
    call.arguments = buttons;
    call.defaultText = defaultButton >= 0 ? buttons.value(defaultButton) : QString();
    calls.append(call);
    return m_choices.isEmpty() ? defaultButton : m_choices.dequeue();
}

bool ScriptedServices::askOpenFile(FileDialogRequest &request)
{
    Call call{QStringLiteral("openFile"), QString(), request.title};
    call.dialog = request;
    const QString path = answer(call, m_opens);
    request.path = path.isEmpty() ? request.path : path;
    request.fileName = path.isEmpty() ? request.fileName : QFileInfo(path).fileName();
    return !path.isEmpty();
}

QString ScriptedServices::askSaveFileName(const QString &title, const QString &initialPath,
                                          const QString &filter)
{
    return answer({QStringLiteral("saveFile"), filter, title, MessageIcon::None, initialPath}, m_saves);
}

void ScriptedServices::processEvents()
{
    QCoreApplication::processEvents();
}

QString ScriptedServices::currentFolder() const
{
    return QDir::currentPath();
}

bool ScriptedServices::setCurrentFolder(const QString &folder)
{
    return QDir::setCurrent(folder);
}

bool ScriptedServices::startProgram(const QString &program, const QStringList &arguments,
                                    const QString &workingFolder)
{
    Call call{QStringLiteral("startProgram"), program};
    call.arguments = arguments;
    call.folder = workingFolder;
    calls.append(call);
    return programStarts;
}
