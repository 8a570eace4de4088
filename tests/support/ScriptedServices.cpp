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

QString ScriptedServices::answer(Call call, QQueue<QString> &answers)
{
    calls.append(call);
    if (answers.isEmpty()) {
        ++unscripted;
        return QString();
    }
    return answers.dequeue();
}

void ScriptedServices::MsgBox(const QString &prompt, MessageIcon icon, const QString &title)
{
    const Call call{QStringLiteral("MsgBox"), prompt, title.isEmpty() ? applicationTitle() : title,
                    icon};
    calls.append(call);
    if (m_messageHook)
        m_messageHook(call);
}

QString ScriptedServices::InputBox(const QString &prompt, const QString &title,
                                   const QString &defaultText)
{
    return answer({QStringLiteral("InputBox"), prompt,
                   title.isEmpty() ? applicationTitle() : title, MessageIcon::None, defaultText},
                  m_inputs);
}

bool ScriptedServices::ShowOpen(CommonDialog &cd)
{
    Call call{QStringLiteral("ShowOpen"), QString(), cd.DialogTitle};
    call.dialog = cd;
    const QString path = answer(call, m_opens);
    if (path.isEmpty())
        return false;
    cd.FileName = path;
    cd.FileTitle = QFileInfo(path).fileName();
    return true;
}

QString ScriptedServices::ShowSave(const QString &title, const QString &initialPath,
                                   const QString &filter)
{
    return answer({QStringLiteral("ShowSave"), filter, title, MessageIcon::None, initialPath},
                  m_saves);
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
    Call call{QStringLiteral("startProgram"), program};
    call.arguments = arguments;
    call.folder = workingFolder;
    calls.append(call);
    return programStarts;
}
