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

void ScriptedServices::MsgBox(const QString &prompt, MessageIcon icon, const QString &title)
{
    Call call;
    call.kind = QStringLiteral("MsgBox");
    call.text = prompt;
    call.title = title.isEmpty() ? applicationTitle() : title;
    call.icon = icon;
    calls.append(call);
    if (m_messageHook)
        m_messageHook(call);
}

QString ScriptedServices::InputBox(const QString &prompt, const QString &title,
                                   const QString &defaultText)
{
    Call call;
    call.kind = QStringLiteral("InputBox");
    call.text = prompt;
    call.title = title.isEmpty() ? applicationTitle() : title;
    call.defaultText = defaultText;
    calls.append(call);
    if (m_inputs.isEmpty()) {
        ++unscripted;
        return QString();
    }
    return m_inputs.dequeue();
}

bool ScriptedServices::ShowOpen(CommonDialog &cd)
{
    Call call;
    call.kind = QStringLiteral("ShowOpen");
    call.title = cd.DialogTitle;
    call.dialog = cd;
    calls.append(call);
    if (m_opens.isEmpty())
        ++unscripted;
    const QString path = m_opens.isEmpty() ? QString() : m_opens.dequeue();
    if (path.isEmpty())
        return false;
    cd.FileName = path;
    cd.FileTitle = QFileInfo(path).fileName();
    return true;
}

QString ScriptedServices::ShowSave(const QString &title, const QString &initialPath,
                                   const QString &filter)
{
    Call call;
    call.kind = QStringLiteral("ShowSave");
    call.title = title;
    call.defaultText = initialPath;
    call.text = filter;
    calls.append(call);
    if (m_saves.isEmpty()) {
        ++unscripted;
        return QString();
    }
    return m_saves.dequeue();
}

void ScriptedServices::DoEvents()
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
    Call call;
    call.kind = QStringLiteral("startProgram");
    call.text = program;
    call.arguments = arguments;
    call.folder = workingFolder;
    calls.append(call);
    return programStarts;
}
