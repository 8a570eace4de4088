#pragma once

class QWidget;

// The main window's size, place and maximised state, kept from one session
// to the next in the user's own settings (the machine-wide ones only ever
// record where the program lives).
namespace WindowGeometry {

// Gives the window what the last session left; false when there was
// nothing, or nothing that fits any screen now, and the window keeps the
// size it has.
bool restore(QWidget *window);
void save(const QWidget *window);

} // namespace WindowGeometry
