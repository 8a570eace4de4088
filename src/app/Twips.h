#pragma once

// Positions and sizes are kept in twips (1/1440 inch) as the files hold
// them; the screen decides how many twips make one pixel (15 at 96 dpi).
namespace Twips {

double perPixel();

inline double toPixels(double twips) { return twips / perPixel(); }
inline double fromPixels(double pixels) { return pixels * perPixel(); }

} // namespace Twips
