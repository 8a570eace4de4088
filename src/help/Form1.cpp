#include "Form1.h"

#include <QDir>
#include <QResizeEvent>
#include <QTextBrowser>
#include <QUrl>

Form1::Form1(const QString &appPath, QWidget *parent)
    : QWidget(parent)
    , WebBrowser1(new QTextBrowser(this))
    , m_appPath(appPath)
{
    setWindowTitle(QStringLiteral("Information"));
    WebBrowser1->setOpenExternalLinks(true);
    WebBrowser1->setFrameShape(QFrame::NoFrame);
}

void Form1::Form_Load()
{
    const QUrl page = QUrl::fromLocalFile(m_appPath + QStringLiteral("/help.htm"));
    WebBrowser1->setSource(page);
    if (WebBrowser1->toPlainText().isEmpty())
        WebBrowser1->setHtml(QStringLiteral("<p>The help page <b>%1</b> cannot be found.</p>")
                                 .arg(QDir::toNativeSeparators(page.toLocalFile()).toHtmlEscaped()));
}

void Form1::resizeEvent(QResizeEvent *event)
{
    // The page fills the client area exactly, however the window is sized.
    WebBrowser1->setGeometry(QRect(QPoint(0, 0), event->size()));
    QWidget::resizeEvent(event);
}
