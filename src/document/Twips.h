#pragma once

#include <QRect>

// Positions and sizes are kept in twips (1/1440 inch) as the files hold
// them; the screen decides how many twips make one pixel (15 at 96 dpi).
namespace Twips {

double perPixel();

inline double toPixels(double twips) { return twips / perPixel(); }
inline double fromPixels(double pixels) { return pixels * perPixel(); }

// A control's place and size given in twips, in whole pixels.
inline QRect toPixels(int left, int top, int width, int height)
{
    return QRect(qRound(toPixels(double(left))), qRound(toPixels(double(top))),
                 qRound(toPixels(double(width))), qRound(toPixels(double(height))));
}

} // namespace Twips
