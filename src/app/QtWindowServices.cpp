#include "QtWindowServices.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QInputDialog>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>

namespace {
QString titleOrApplication(const QString &title)
{
    return title.isEmpty() ? WindowServices::applicationTitle() : title;
}

// Wide enough that the window manager shows the whole title, with room for
// its icon and buttons, which are not the program's to measure.
int widthForTitle(const QWidget &dialog)
{
    constexpr int kTitleBarAllowance = 160;
    QFont font = dialog.font();
    font.setBold(true);
    return QFontMetrics(font).horizontalAdvance(dialog.windowTitle()) + kTitleBarAllowance;
}

void fitTitle(QMessageBox &box)
{
    // A message box sizes itself to its text; a spacer across its grid is
    // what it keeps to.
    if (auto *grid = qobject_cast<QGridLayout *>(box.layout()))
        grid->addItem(new QSpacerItem(widthForTitle(box), 0, QSizePolicy::Minimum,
                                      QSizePolicy::Fixed),
                      grid->rowCount(), 0, 1, grid->columnCount());
}

void fitTitle(QInputDialog &dialog)
{
    dialog.setMinimumWidth(qMax(dialog.minimumWidth(), widthForTitle(dialog)));
}
} // namespace

void QtWindowServices::showMessage(const QString &prompt, MessageIcon icon, const QString &title)
{
    QMessageBox box(m_parent);
    box.setWindowTitle(titleOrApplication(title));
    box.setText(prompt);
    switch (icon) {
    case MessageIcon::None:
        box.setIcon(QMessageBox::NoIcon);
        break;
    case MessageIcon::Exclamation:
        box.setIcon(QMessageBox::Warning);
        break;
    case MessageIcon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    }
    box.setStandardButtons(QMessageBox::Ok);
    fitTitle(box);
    box.exec();
}

QString QtWindowServices::askText(const QString &prompt, const QString &title,
                                  const QString &defaultText)
{
    return askTextOrCancel(prompt, title, defaultText).value_or(QString());
}

int QtWindowServices::askChoice(const QString &prompt, const QString &title,
                                const QStringList &buttons, int defaultButton)
{
    QMessageBox box(m_parent);
    box.setWindowTitle(titleOrApplication(title));
    box.setText(prompt);
    box.setIcon(QMessageBox::Question);
    QList<QPushButton *> made;
    for (const QString &caption : buttons)
        made << box.addButton(caption, QMessageBox::AcceptRole);
    if (defaultButton >= 0 && defaultButton < made.size())
        box.setDefaultButton(made[defaultButton]);
    // Without an escape button Qt would take Escape as the default one.
    QPushButton *escape = box.addButton(QMessageBox::Cancel);
    escape->hide();
    box.setEscapeButton(escape);
    fitTitle(box);
    box.exec();
    return int(made.indexOf(qobject_cast<QPushButton *>(box.clickedButton())));
}

std::optional<QString> QtWindowServices::askTextOrCancel(const QString &prompt,
                                                         const QString &title,
                                                         const QString &defaultText)
{
    QInputDialog dialog(m_parent);
    dialog.setWindowTitle(titleOrApplication(title));
    dialog.setLabelText(prompt);
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setTextValue(defaultText);
    fitTitle(dialog);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue();
}

QString QtWindowServices::askTextFromList(const QString &prompt, const QString &title,
                                          const QStringList &choices, const QString &defaultText)
{
    QInputDialog dialog(m_parent);
    dialog.setWindowTitle(titleOrApplication(title));
    dialog.setLabelText(prompt);
    dialog.setComboBoxItems(choices);
    dialog.setComboBoxEditable(true);
    // The default shows as typed even when it is none of the choices.
    dialog.setTextValue(defaultText);
    fitTitle(dialog);
    return dialog.exec() == QDialog::Accepted ? dialog.textValue() : QString();
}

QString QtWindowServices::qtFilter(const QString &filter)
{
    const QStringList parts = filter.split(u'|');
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
        entries << parts[i] + QStringLiteral(" (") + parts[i + 1] + u')';
    return entries.join(QStringLiteral(";;"));
}

bool QtWindowServices::askOpenFile(FileDialogRequest &request)
{
    QFileDialog dialog(m_parent, request.title, request.folder, qtFilter(request.filter));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (!request.path.isEmpty())
        dialog.selectFile(request.path);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    request.path = QDir::toNativeSeparators(dialog.selectedFiles().first());
    request.fileName = QFileInfo(request.path).fileName();
    return true;
}

QString QtWindowServices::askSaveFileName(const QString &title, const QString &initialPath,
                                          const QString &filter)
{
    return QFileDialog::getSaveFileName(m_parent, title, initialPath, qtFilter(filter));
}

void QtWindowServices::processEvents()
{
    QApplication::processEvents();
}

QString QtWindowServices::currentFolder() const
{
    return QDir::currentPath();
}

bool QtWindowServices::setCurrentFolder(const QString &folder)
{
    return QDir::setCurrent(folder);
}

bool QtWindowServices::startProgram(const QString &program, const QStringList &arguments,
                                    const QString &workingFolder)
{
    return QProcess::startDetached(program, arguments, workingFolder);
}
