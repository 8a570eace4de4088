#pragma once

#include <QHash>
#include <QPixmap>
#include <QSize>
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

    // The size in pixels of a picture that was refused as too large to
    // hold, invalid for any other: a user told it is missing would look
    // for a file that is there.
    QSize tooLargeSize(const QString &relative) const { return m_tooLarge.value(relative); }

private:
    QHash<QString, QPixmap> m_pictures;
    QHash<QString, QSize> m_tooLarge;
};

// Loads a picture file (JPEG, BMP or GIF); null when it cannot. tooLarge,
// when given, gets the picture's size when it was refused for it.
QPixmap loadPicture(const QString &path, QSize *tooLarge = nullptr);

// The most megabytes one picture may take on this computer.
int pictureLimitMegabytes();
