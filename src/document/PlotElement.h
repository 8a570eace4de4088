#pragma once

#include <QString>
#include <QtGlobal>

// One placed icon (an element of Image1) or note (an element of Label1).
// The window's element arrays are the document: there is no other copy, so
// this struct holds exactly what an element carries, in twips.
struct PlotElement
{
    QString text;          // ToolTipText of an icon, Caption of a note
    qint32 number = 0;     // WhatsThisHelpID: icon number, -1 for a note
    float top = 0.0f;      // twips from the top of the client area
    float left = 0.0f;     // twips from the left of the client area
    float width = 15.0f;   // twips; an icon takes its picture's size
    float height = 15.0f;
    bool visible = false;  // live; cut and deleted elements are only hidden
    // The icon number line's text trimmed of blanks: it names the picture
    // icon_<pictureKey>.jpg independently of the number (" 07 " names
    // icon_07.jpg). Empty when the record had no number line.
    QString pictureKey;
};

// Icon numbers of the design: 0 is no icon, -1 a note, 1..32767 a picture.
namespace IconNumber {
constexpr qint32 None = 0;
constexpr qint32 Note = -1;
constexpr qint32 Max = 32767;
}
