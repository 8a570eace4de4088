#include "OutsideChanges.h"

#include "ActionMenuFrame.h"
#include "PaletteFrame.h"
#include "PlotDocument.h"
#include "PlotTableWriter.h"
#include "PlotWindow.h"
#include "ReloadBar.h"
#include "TableWatcher.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QPushButton>
#include <QUndoStack>
#include <QVBoxLayout>

namespace {
constexpr int kRetryMs = 300;
} // namespace

OutsideChanges::OutsideChanges(PlotWindow &window)
    : QObject(&window)
    , m_window(window)
    , m_watcher(new TableWatcher(this))
    , m_bar(new ReloadBar(&window))
{
    m_bar->hide();
    if (auto *layout = qobject_cast<QVBoxLayout *>(window.layout()))
        layout->insertWidget(0, m_bar);
    m_retry.setSingleShot(true);
    m_retry.setInterval(kRetryMs);
    connect(&m_retry, &QTimer::timeout, this, &OutsideChanges::decide);
    connect(m_watcher, &TableWatcher::changed, this, &OutsideChanges::changed);
    connect(m_bar->reloadButton(), &QPushButton::clicked, this,
            &OutsideChanges::reloadKeepingMine);
    connect(m_bar->keepMineButton(), &QPushButton::clicked, this, &OutsideChanges::keepMine);
}

void OutsideChanges::watch(const QString &file, const QByteArray &bytes)
{
    m_file = file;
    m_watcher->watch(file, bytes);
}

void OutsideChanges::stop()
{
    m_watcher->stop();
    m_retry.stop();
    m_hasPending = false;
}

QString OutsideChanges::minePath(const QString &file)
{
    const QFileInfo info(file);
    const QDir folder = info.dir();
    const QString base = info.completeBaseName();
    const QString suffix = info.suffix().isEmpty() ? QStringLiteral("plt") : info.suffix();
    QString path = folder.filePath(QStringLiteral("%1 (mine).%2").arg(base, suffix));
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = folder.filePath(QStringLiteral("%1 (mine %2).%3").arg(base).arg(n).arg(suffix));
    return path;
}

void OutsideChanges::changed(const QByteArray &bytes)
{
    m_pending = bytes;
    m_hasPending = true;
    decide();
}

bool OutsideChanges::busy() const
{
    // A reload under an open pop-up, a box or a drag would pull the
    // element the user is at from under them.
    return QApplication::activeModalWidget() || QApplication::mouseButtons() != Qt::NoButton
        || m_window.palette()->isVisible() || m_window.actionMenuFrame()->isVisible();
}

void OutsideChanges::decide()
{
    if (!m_hasPending || m_window.isClosing())
        return;
    if (busy()) {
        m_retry.start();
        return;
    }
    if (m_window.document()->undoStack()->isClean()) {
        reloadNow(QStringLiteral("The Plot Table was changed on disk by another program or "
                                 "user, and has been read again."));
        return;
    }
    m_bar->setText(QStringLiteral("The Plot Table was changed on disk by another program or user "
                                  "while you have changes of your own here."));
    m_bar->show();
}

void OutsideChanges::reloadNow(const QString &message)
{
    m_hasPending = false;
    m_bar->hide();
    m_window.reload(m_pending);
    m_pending.clear();
    emit m_window.statusMessage(message);
}

void OutsideChanges::reloadKeepingMine()
{
    if (!m_hasPending) {
        m_bar->hide();
        return;
    }
    const QString mine = minePath(m_file);
    PlotTableWriter writer;
    if (!writer.write(mine, m_window.document()->table())) {
        // Nothing is read again while the edits have no other place.
        m_bar->setText(QStringLiteral("Your changes could not be saved to '%1' (%2), so the "
                                      "Plot Table was not read again.")
                           .arg(QDir::toNativeSeparators(mine), writer.errorString()));
        return;
    }
    reloadNow(QStringLiteral("The Plot Table has been read again; your changes are saved in %1.")
                  .arg(QDir::toNativeSeparators(mine)));
}

void OutsideChanges::keepMine()
{
    // The file stays as it now is on disk, and the close asks before it
    // writes over it.
    m_hasPending = false;
    m_pending.clear();
    m_bar->hide();
}
