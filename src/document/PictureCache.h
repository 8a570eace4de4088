#pragma once

#include <QHash>
#include <QPixmap>
#include <QString>

class ProgramFolder;

// The pictures one document window shows, decoded once each: a table of
// thousands of icons uses a few dozen pictures, and the palette shows the
// same ones again.
class PictureCache
{
public:
    // relative: a path below the program folder. A null pixmap when the
    // file is missing or no picture (remembered too, so a missing picture
    // is looked for once).
    QPixmap picture(const ProgramFolder &folder, const QString &relative);

private:
    QHash<QString, QPixmap> m_pictures;
};

// Loads a picture file (JPEG, BMP or GIF); null when it cannot.
QPixmap loadPicture(const QString &path);
