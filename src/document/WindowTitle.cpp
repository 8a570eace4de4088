#include "WindowTitle.h"

#include <QWidget>

namespace {
const QString kMark = QStringLiteral("[*]");
} // namespace

QString WindowTitle::forFile(const QString &path, const QString &said)
{
    QString title = path + said;
    return title.replace(kMark, kMark + kMark) + kMark;
}

QString WindowTitle::shown(const QString &title, bool modified)
{
    // In each run of marks, an odd one out is the change mark; then every
    // pair stands for one literal mark.
    QString text = title;
    qsizetype at = text.indexOf(kMark);
    while (at >= 0) {
        qsizetype end = at;
        int count = 0;
        while (text.mid(end, kMark.size()) == kMark) {
            end += kMark.size();
            ++count;
        }
        if (count % 2 == 1) {
            const qsizetype last = end - kMark.size();
            text.replace(last, kMark.size(), modified ? QStringLiteral("*") : QString());
            end = last + (modified ? 1 : 0);
        }
        at = text.indexOf(kMark, end);
    }
    return text.replace(kMark + kMark, kMark);
}

QString WindowTitle::shown(const QWidget *window)
{
    return shown(window->windowTitle(), window->isWindowModified());
}
