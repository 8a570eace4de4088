#include "StartPage.h"

#include <QDir>
#include <QFileInfo>

namespace {
const QString kOpenLink = QStringLiteral("open:");
const QString kNewLink = QStringLiteral("new:");
const QString kRecentLink = QStringLiteral("recent:");
} // namespace

StartPage::StartPage(QWidget *parent)
    : QLabel(parent)
{
    setObjectName(QStringLiteral("startPage"));
    setTextFormat(Qt::RichText);
    setAlignment(Qt::AlignCenter);
    setWordWrap(true);
    setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    setFocusPolicy(Qt::StrongFocus);
    // Readable over the black workspace and the compass rose alike.
    setAutoFillBackground(false);
    setStyleSheet(QStringLiteral("#startPage { color: #e8e8e8; background: rgba(0, 0, 0, 170);"
                                 " border: 1px solid #606060; border-radius: 6px;"
                                 " padding: 16px; }"));
    connect(this, &QLabel::linkActivated, this, &StartPage::followLink);
    compose();
}

void StartPage::setRecentTables(const QStringList &paths)
{
    m_recent = paths;
    compose();
}

void StartPage::followLink(const QString &link)
{
    if (link == kOpenLink) {
        emit openRequested();
    } else if (link == kNewLink) {
        emit newRequested();
    } else if (link.startsWith(kRecentLink)) {
        const int index = link.mid(kRecentLink.size()).toInt();
        if (index >= 0 && index < m_recent.size())
            emit recentRequested(m_recent[index]);
    }
}

void StartPage::compose()
{
    const QString link = QStringLiteral("<a style=\"color: #8fd3ff\" href=\"%1\">%2</a>");
    QString html = QStringLiteral("<h2>Quenbrack</h2>")
                   + QStringLiteral("<p>A plot table is a background picture with icons and "
                                    "notes placed on it.</p><p>")
                   + link.arg(kOpenLink, QStringLiteral("Open a Plot Table"))
                   + QStringLiteral(" (Ctrl+O) &nbsp; or &nbsp; ")
                   + link.arg(kNewLink, QStringLiteral("make a new one"))
                   + QStringLiteral(" (Ctrl+N).</p>")
                   + QStringLiteral("<p>In a table, right-click the background for the palette, "
                                    "or an icon or note for its actions. Help &gt; Info (F1) "
                                    "tells more.</p>");
    if (!m_recent.isEmpty()) {
        html += QStringLiteral("<p><b>Recent tables</b></p><p>");
        for (int i = 0; i < m_recent.size(); ++i) {
            const QFileInfo file(m_recent[i]);
            html += link.arg(kRecentLink + QString::number(i),
                             file.completeBaseName().toHtmlEscaped())
                    + QStringLiteral(" <span style=\"color: #a0a0a0\">%1</span><br>")
                          .arg(QDir::toNativeSeparators(file.absolutePath()).toHtmlEscaped());
        }
        html += QStringLiteral("</p>");
    }
    setText(html);
    adjustSize();
}
