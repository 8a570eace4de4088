#include "MachineSettings.h"

#include "Blanks.h"

#ifdef Q_OS_WIN
#include <qt_windows.h>
#else
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringList>
#endif

namespace MachineSettings {


#ifdef Q_OS_WIN

QString storePath() { return {}; }

void createKey(const QString &keyPath)
{
    HKEY key = nullptr;
    if (RegCreateKeyW(HKEY_LOCAL_MACHINE, reinterpret_cast<LPCWSTR>(keyPath.utf16()), &key)
        == ERROR_SUCCESS)
        RegCloseKey(key);
}

void setValue(const QString &keyPath, const QString &valueName, const QString &value)
{
    HKEY key = nullptr;
    if (RegCreateKeyW(HKEY_LOCAL_MACHINE, reinterpret_cast<LPCWSTR>(keyPath.utf16()), &key)
        != ERROR_SUCCESS)
        return;
    const QString text = trimBlanks(value).toString();
    RegSetValueExW(key, reinterpret_cast<LPCWSTR>(valueName.utf16()), 0, REG_SZ,
                   reinterpret_cast<const BYTE *>(text.utf16()),
                   DWORD((text.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
}

#else

QString storePath()
{
    QString folder = QStringLiteral("/etc/xdg");
    const QString dirs = qEnvironmentVariable("XDG_CONFIG_DIRS");
    const QStringList list = dirs.split(u':', Qt::SkipEmptyParts);
    if (!list.isEmpty())
        folder = list.first();
    return folder + QStringLiteral("/Brindlemoor/Quenbrack.ini");
}

namespace {

// The store as lines; sections keep their order and foreign content.
QStringList readStore()
{
    QFile file(storePath());
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    return QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
}

void writeStore(const QStringList &lines)
{
    const QString path = storePath();
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return;
    file.write(lines.join(u'\n').toUtf8() + '\n');
    file.commit();
}

QString sectionHeader(const QString &keyPath)
{
    return u'[' + keyPath + u']';
}

// Index of the section's header line, adding the section when missing.
qsizetype ensureSection(QStringList &lines, const QString &keyPath)
{
    const qsizetype found = lines.indexOf(sectionHeader(keyPath));
    if (found >= 0)
        return found;
    lines.append(sectionHeader(keyPath));
    return lines.size() - 1;
}

} // namespace

void createKey(const QString &keyPath)
{
    QStringList lines = readStore();
    const qsizetype before = lines.size();
    ensureSection(lines, keyPath);
    if (lines.size() != before || !QFile::exists(storePath()))
        writeStore(lines);
}

void setValue(const QString &keyPath, const QString &valueName, const QString &value)
{
    QStringList lines = readStore();
    const qsizetype header = ensureSection(lines, keyPath);
    // Line breaks cannot live in an INI value; a folder name never has one.
    QString text = trimBlanks(value).toString();
    text.replace(u'\n', u' ').replace(u'\r', u' ');
    const QString entry = valueName + u'=' + text;
    qsizetype line = header + 1;
    for (; line < lines.size() && !lines[line].startsWith(u'['); ++line) {
        if (lines[line].startsWith(valueName + u'=')) {
            lines[line] = entry;
            writeStore(lines);
            return;
        }
    }
    lines.insert(line, entry);
    writeStore(lines);
}

#endif

void recordProgramFolder(const QString &folder)
{
    const QString key = QStringLiteral("Software\\Brindlemoor\\Products\\Quenbrack");
    createKey(QStringLiteral("Software\\Brindlemoor"));
    createKey(QStringLiteral("Software\\Brindlemoor\\Products"));
    createKey(key);
    setValue(key, QStringLiteral("Path"), folder);
}

} // namespace MachineSettings
