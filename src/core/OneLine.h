#pragma once

#include <QString>

// A table keeps one text per line, so a line break inside a text would turn
// the rest of it into records of its own when the table is read back. Texts
// are made one line wherever they enter: CR LF, CR and LF each become one
// blank.
inline bool hasLineBreak(QStringView text)
{
    // Without a branch per character: every table write looks at every
    // text, and most are a few characters long.
    const char16_t *unit = text.utf16();
    unsigned found = 0;
    for (qsizetype i = 0; i < text.size(); ++i)
        found |= unit[i] < 14 ? (1u << unit[i]) & ((1u << '\r') | (1u << '\n')) : 0u;
    return found != 0;
}

inline QString oneLine(const QString &text)
{
    if (!hasLineBreak(text))
        return text;
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            continue; // the LF that follows makes the one blank
        out += (c == u'\r' || c == u'\n') ? QChar(u' ') : c;
    }
    return out;
}
