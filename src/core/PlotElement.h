#pragma once

#include <QString>
#include <QtGlobal>

// The two kinds of element on a plot table.
enum class ElementKind : quint8 { Icon = 0, Note = 1 };

// One placed icon or note, in twips, exactly as the table file carries it.
struct PlotElement
{
    QString text;          // an icon's tooltip, a note's caption
    qint32 number = 0;     // the icon's number in its set; -1 for a note
    float top = 0.0f;      // twips from the top of the picture
    float left = 0.0f;     // twips from the left of the picture
    float width = 15.0f;   // twips; an icon takes its picture's size
    float height = 15.0f;
    bool live = false;     // cut and deleted elements stay, only hidden
    // The icon number line's text trimmed of blanks: it names the picture
    // icon_<pictureKey>.jpg independently of the number (" 07 " names
    // icon_07.jpg). Empty when the record had no number line.
    QString pictureKey;
};

// Icon numbers: 0 is no icon, -1 a note, 1..32767 a picture.
namespace IconNumber {
constexpr qint32 None = 0;
constexpr qint32 Note = -1;
constexpr qint32 Max = 32767;
}
