#include "Twips.h"

#include <QGuiApplication>
#include <QScreen>

namespace Twips {

double perPixel()
{
    static double cached = 0.0;
    if (cached == 0.0) {
        const QScreen *screen = QGuiApplication::primaryScreen();
        const double dpi = screen ? screen->logicalDotsPerInchX() : 96.0;
        cached = dpi > 0.0 ? 1440.0 / dpi : 15.0;
    }
    return cached;
}

} // namespace Twips
