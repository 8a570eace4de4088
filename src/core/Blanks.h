#pragma once

#include <QStringView>

// Markers and number lines are compared after removing blanks (U+0020)
// only: a tab around "[Notes]" is part of the text, as it always was.
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
