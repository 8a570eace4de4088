#include "WindowGeometry.h"

#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QWidget>

namespace {

const QString kKey = QStringLiteral("MainWindow/geometry");

QSettings userSettings()
{
    return QSettings(QStringLiteral("Brindlemoor"), QStringLiteral("Quenbrack"));
}

} // namespace

bool WindowGeometry::restore(QWidget *window)
{
    const QByteArray kept = userSettings().value(kKey).toByteArray();
    if (kept.isEmpty() || !window->restoreGeometry(kept))
        return false;
    // A screen taken away since leaves the window where it was; Qt moves it
    // onto a screen, this keeps it no larger than that screen's free area.
    const QScreen *screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (screen && !window->isMaximized()) {
        const QRect available = screen->availableGeometry();
        if (window->width() > available.width() || window->height() > available.height())
            window->resize(window->size().boundedTo(available.size()));
    }
    return true;
}

void WindowGeometry::save(const QWidget *window)
{
    QSettings settings = userSettings();
    settings.setValue(kKey, window->saveGeometry());
    settings.sync();
}
