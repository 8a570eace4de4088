#include "DocumentFixture.h"

#include <QCoreApplication>
#include <QEvent>
#include <QMdiSubWindow>
#include <QSettings>

DocumentFixture::DocumentFixture()
{
    qputenv("XDG_CONFIG_DIRS", settings.path().toUtf8());
    // The user's settings (the recent tables) apart from the machine's.
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                       settings.filePath(QStringLiteral("user")));
    main = std::make_unique<MainWindow>(folder.path(), services);
}

DocumentFixture::~DocumentFixture()
{
    main.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

QString DocumentFixture::table(const QString &name, const QStringList &lines) const
{
    const QString relative = QStringLiteral("Plot Tables/") + name;
    folder.writeBytes(relative, TestProgramFolder::crlf(lines));
    return folder.file(relative);
}

PlotWindow *DocumentFixture::open(const QString &path)
{
    return main->openFile(path);
}

void DocumentFixture::close(PlotWindow *window)
{
    auto *frame = qobject_cast<QMdiSubWindow *>(window->parentWidget());
    if (frame)
        frame->close();
    else
        window->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
