#pragma once

#include <QImage>

// Small pictures for the program's own window: the note picture that stands
// for a text note, and the application icon.
namespace Decorations {

// 79 x 58: a yellow sticky note with a curled corner, on the dark grey
// (64, 64, 64) that it is shown on.
QImage drawNote();

// 64 x 64 with transparency: a small chart with a pin in it.
QImage drawAppIcon();

// 57 x 43: the badge of the About box, the application icon on a light
// card.
QImage drawAboutBadge();

} // namespace Decorations
