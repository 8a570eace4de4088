#include "HelpWindow.h"

#include <QDir>
#include <QResizeEvent>
#include <QTextBrowser>
#include <QUrl>

HelpWindow::HelpWindow(const QString &programFolder, QWidget *parent)
    : QWidget(parent)
    , m_browser(new QTextBrowser(this))
    , m_programFolder(programFolder)
{
    setWindowTitle(QStringLiteral("Information"));
    m_browser->setOpenExternalLinks(true);
    m_browser->setFrameShape(QFrame::NoFrame);
}

void HelpWindow::load()
{
    const QUrl page = QUrl::fromLocalFile(m_programFolder + QStringLiteral("/help.htm"));
    m_browser->setSource(page);
    if (m_browser->toPlainText().isEmpty())
        m_browser->setHtml(QStringLiteral("<p>The help page <b>%1</b> cannot be found.</p>")
                                 .arg(QDir::toNativeSeparators(page.toLocalFile()).toHtmlEscaped()));
}

void HelpWindow::resizeEvent(QResizeEvent *event)
{
    // The page fills the client area exactly, however the window is sized.
    m_browser->setGeometry(QRect(QPoint(0, 0), event->size()));
    QWidget::resizeEvent(event);
}
