#pragma once

#include <QStringView>

// Blanks (U+0020) only are removed: from markers and number lines before
// they are compared, from a folder name before it is recorded;
// a tab around "[Notes]" is part of the text, as it always was.
inline QStringView trimBlanks(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin] == u' ')
        ++begin;
    while (end > begin && text[end - 1] == u' ')
        --end;
    return text.mid(begin, end - begin);
}
